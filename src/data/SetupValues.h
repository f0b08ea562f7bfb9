#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace purslet {

class IniStore;

// Conversions of a stored Setup.ini text, one for each type of the settings
// table; nullopt when the text does not convert. Every reader of Setup.ini
// goes through these, so that a key reads the same wherever it is read.
std::optional<double> ToSingle(const QString &text);
std::optional<int> ToInt16(const QString &text);
std::optional<int> ToInt32(const QString &text);
std::optional<bool> ToBoolean(const QString &text);

QString FromBoolean(bool value);
// Decimal without grouping; a whole number as digits only.
QString FromNumber(double value);

// Reads Setup.ini a value at a time, converting as the table says.
class SettingsReader final
{
public:
    explicit SettingsReader(const IniStore &ini) : m_ini(ini) {}

    QString text(const QString &section, const QString &key, const QString &defaultText) const;
    std::optional<double> single(const QString &section, const QString &key, double defaultValue) const;
    std::optional<int> int16(const QString &section, const QString &key, int defaultValue) const;
    std::optional<int> int32(const QString &section, const QString &key, int defaultValue) const;
    std::optional<bool> boolean(const QString &section, const QString &key, bool defaultValue) const;
    // FileHistory/1, 2, ... up to the first empty value.
    QStringList fileHistory() const;

private:
    const IniStore &m_ini;
};

} // namespace purslet
