#include "shell/Settings.h"

#include "matters/IniFile.h"
#include "matters/IniStore.h"
#include "platform/AtomicFile.h"
#include "platform/RuntimeError.h"

#include <QFile>

#include <cfloat>
#include <cmath>
#include <limits>

namespace purslet {

namespace {
const QString kFileHistory = QStringLiteral("FileHistory");
const QString kSetup = QStringLiteral("Setup");
constexpr int kMaxHistory = 4; // the File menu's recent files

std::vector<SettingKey> buildTable()
{
    using T = SettingType;
    std::vector<SettingKey> t;
    auto add = [&t](const char *section, const QString &key, T type, const char *def) {
        t.push_back({QString::fromUtf8(section), key, type, QString::fromUtf8(def)});
    };
    add("frmInput", QStringLiteral("Left"), T::Single, "0");
    add("frmInput", QStringLiteral("Top"), T::Single, "0");
    add("frmInput", QStringLiteral("optCashier(0)"), T::Boolean, "True");
    add("frmCalendar", QStringLiteral("Left"), T::Single, "0");
    add("frmCalendar", QStringLiteral("Top"), T::Single, "");
    add("frmMain", QStringLiteral("Left"), T::Single, "");
    add("frmMain", QStringLiteral("Top"), T::Single, "0");
    add("frmMain", QStringLiteral("Height"), T::Single, "");
    add("frmMain", QStringLiteral("Width"), T::Single, "");
    add("frmMain", QStringLiteral("WindowState"), T::Int16, "0");
    add("frmMain", QStringLiteral("SSTab"), T::Int16, "0");
    const char *cashier[] = {"1100", "1650", "1200", "1200", "1200", "1650"};
    for (int i = 0; i < 6; ++i)
        add("msfgCashier", QStringLiteral("ColWidth%1").arg(i), T::Int32, cashier[i]);
    const char *income[] = {"1650", "1200", "1200", "450", "1200"};
    for (int i = 0; i < 5; ++i)
        add("msfgIncome", QStringLiteral("ColWidth%1").arg(i), T::Int32, income[i]);
    add("msfgIncome", QStringLiteral("CurrentCol"), T::Int32, "0");
    add("msfgIncome", QStringLiteral("SortAscending"), T::Boolean, "True");
    const char *outgo[] = {"1650", "1200", "1200", "1200", "450", "1200"};
    for (int i = 0; i < 6; ++i)
        add("msfgOutgo", QStringLiteral("ColWidth%1").arg(i), T::Int32, outgo[i]);
    add("msfgOutgo", QStringLiteral("CurrentCol"), T::Int32, "0");
    add("msfgOutgo", QStringLiteral("SortAscending"), T::Boolean, "True");
    add("mdiMain", QStringLiteral("Left"), T::Single, "");
    add("mdiMain", QStringLiteral("Top"), T::Single, "");
    add("mdiMain", QStringLiteral("Height"), T::Single, "");
    add("mdiMain", QStringLiteral("Width"), T::Single, "");
    add("mdiMain", QStringLiteral("WindowState"), T::Int16, "0");
    add("Menu", QStringLiteral("showInput"), T::Boolean, "True");
    add("Menu", QStringLiteral("showCalendar"), T::Boolean, "True");
    add("Menu", QStringLiteral("showMain"), T::Boolean, "True");
    add("Menu", QStringLiteral("setupHighSpeedMode"), T::Boolean, "False");
    add("FileHistory", QString(), T::Text, "");
    add("frmMatter", QStringLiteral("Left"), T::Single, "");
    add("frmMatter", QStringLiteral("Top"), T::Single, "");
    return t;
}

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

const std::vector<SettingKey> &SettingsTable()
{
    static const std::vector<SettingKey> table = buildTable();
    return table;
}

const SettingKey *FindSetting(const QString &section, const QString &key)
{
    for (const SettingKey &k : SettingsTable())
        if (k.section == section && k.key == key)
            return &k;
    return nullptr;
}

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

bool RewriteSettings(IniStore &ini, const std::function<QString(const QString &, const QString &)> &valueOf,
                     const QStringList &history)
{
    const QString path = ini.pathOf(kSetup);
    if (QFile::exists(path) && !QFile::remove(path))
        return false;
    ini.invalidate(kSetup);

    // The file is built in table order and written in one step: the same
    // bytes as one write per key, without rewriting the file fifty times.
    IniFile file;
    for (const SettingKey &k : SettingsTable()) {
        if (k.section == QLatin1String("frmMatter"))
            continue;
        if (k.section == kFileHistory) {
            for (int i = 0; i < history.size(); ++i)
                file.setValue(kFileHistory, QString::number(i + 1), history.at(i));
            continue;
        }
        file.setValue(k.section, k.key, valueOf(k.section, k.key));
    }
    try {
        WriteFileAtomically(path, file.serialize(IniStore::encodingOf(kSetup)));
    } catch (const RuntimeError &) {
        return false;
    }
    ini.invalidate(kSetup);
    return true;
}

} // namespace purslet
