#include "data/SetupValues.h"

#include "data/IniStore.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace purslet {

namespace {
const QString kSetup = QStringLiteral("Setup");
const QString kFileHistory = QStringLiteral("FileHistory");
constexpr int kMaxHistory = 4; // the File menu's recent files

// A whole or decimal number as the stored texts hold them; blanks around it
// are allowed, grouping and letters are not.
std::optional<double> toNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> toInteger(const QString &text, double lo, double hi)
{
    const auto v = toNumber(text);
    if (!v)
        return std::nullopt;
    // Halves go to the even neighbour, as the stored numbers were rounded.
    const double r = std::nearbyint(*v);
    if (r < lo || r > hi)
        return std::nullopt;
    return int(r);
}
} // namespace

std::optional<double> ToSingle(const QString &text)
{
    const auto v = toNumber(text);
    if (!v || std::fabs(*v) > FLT_MAX)
        return std::nullopt;
    return double(float(*v));
}

std::optional<int> ToInt16(const QString &text)
{
    return toInteger(text, -32768.0, 32767.0);
}

std::optional<int> ToInt32(const QString &text)
{
    return toInteger(text, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max()));
}

std::optional<bool> ToBoolean(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const auto v = toNumber(t);
    if (!v)
        return std::nullopt;
    return *v != 0.0;
}

QString FromBoolean(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString FromNumber(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 7);
}

QString SettingsReader::text(const QString &section, const QString &key, const QString &defaultText) const
{
    return m_ini.ReadIniValue(kSetup, section, key, defaultText);
}

std::optional<double> SettingsReader::single(const QString &section, const QString &key, double defaultValue) const
{
    return ToSingle(text(section, key, FromNumber(defaultValue)));
}

std::optional<int> SettingsReader::int16(const QString &section, const QString &key, int defaultValue) const
{
    return ToInt16(text(section, key, QString::number(defaultValue)));
}

std::optional<int> SettingsReader::int32(const QString &section, const QString &key, int defaultValue) const
{
    return ToInt32(text(section, key, QString::number(defaultValue)));
}

std::optional<bool> SettingsReader::boolean(const QString &section, const QString &key, bool defaultValue) const
{
    return ToBoolean(text(section, key, FromBoolean(defaultValue)));
}

QStringList SettingsReader::fileHistory() const
{
    QStringList paths;
    // The menu holds four; more in a hand-edited file are not shown.
    for (int i = 1; i <= kMaxHistory; ++i) {
        const QString path = text(kFileHistory, QString::number(i), QString());
        if (path.isEmpty())
            break;
        paths << path;
    }
    return paths;
}

} // namespace purslet
