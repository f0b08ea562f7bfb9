#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace purslet {

class IniStore;

enum class SettingType { Single, Int16, Int32, Boolean, Text };

// One key of Setup.ini. defaultText is empty where the default is computed
// from window sizes at the moment of reading.
struct SettingKey
{
    QString section;
    QString key;
    SettingType type;
    QString defaultText;
};

// Every key in the order shut-down writes them. FileHistory stands for the
// numbered keys "1", "2", ...; frmMatter belongs to the matter editor and is
// not written at shut-down.
const std::vector<SettingKey> &SettingsTable();
const SettingKey *FindSetting(const QString &section, const QString &key);

// Conversions of a stored text; nullopt when the text does not convert.
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

// Removes Setup.ini and writes every key of the table (but frmMatter) in
// table order, each value from valueOf(section, key), then the recent files.
// Returns false when removing or writing failed; the rebuild stops there.
bool RewriteSettings(IniStore &ini, const std::function<QString(const QString &, const QString &)> &valueOf,
                     const QStringList &history);

} // namespace purslet
