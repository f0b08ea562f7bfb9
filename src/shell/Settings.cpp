#include "shell/Settings.h"

#include "calc/BookReset.h"
#include "data/IniFile.h"
#include "data/IniStore.h"
#include "platform/AtomicFile.h"
#include "platform/RuntimeError.h"
#include "state/MenuTable.h"

#include <QFile>

namespace purslet {

namespace {
const QString kFileHistory = QStringLiteral("FileHistory");
const QString kSetup = QStringLiteral("Setup");

std::vector<SettingKey> buildTable()
{
    using T = SettingType;
    std::vector<SettingKey> t;
    auto add = [&t](const char *section, const QString &key, T type, const char *def) {
        t.push_back({QString::fromUtf8(section), key, type, QString::fromUtf8(def)});
    };
    // The widths a reset gives the grid's columns.
    auto widths = [&t](const char *grid) {
        const QString name = QString::fromUtf8(grid);
        const QList<int> &defaults = DefaultColumnWidths(name);
        for (int i = 0; i < defaults.size(); ++i)
            t.push_back({name, QStringLiteral("ColWidth%1").arg(i), T::Int32, QString::number(defaults[i])});
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
    widths("msfgCashier");
    widths("msfgIncome");
    add("msfgIncome", QStringLiteral("CurrentCol"), T::Int32, "0");
    add("msfgIncome", QStringLiteral("SortAscending"), T::Boolean, "True");
    widths("msfgOutgo");
    add("msfgOutgo", QStringLiteral("CurrentCol"), T::Int32, "0");
    add("msfgOutgo", QStringLiteral("SortAscending"), T::Boolean, "True");
    add("mdiMain", QStringLiteral("Left"), T::Single, "");
    add("mdiMain", QStringLiteral("Top"), T::Single, "");
    add("mdiMain", QStringLiteral("Height"), T::Single, "");
    add("mdiMain", QStringLiteral("Width"), T::Single, "");
    add("mdiMain", QStringLiteral("WindowState"), T::Int16, "0");
    add("Menu", MenuItemName(MenuItem::showInput), T::Boolean, "True");
    add("Menu", MenuItemName(MenuItem::showCalendar), T::Boolean, "True");
    add("Menu", MenuItemName(MenuItem::showMain), T::Boolean, "True");
    add("Menu", MenuItemName(MenuItem::setupHighSpeedMode), T::Boolean, "False");
    add("FileHistory", QString(), T::Text, "");
    add("frmMatter", QStringLiteral("Left"), T::Single, "");
    add("frmMatter", QStringLiteral("Top"), T::Single, "");
    return t;
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
    // The month shown, kept only when there is one: a whole-book session
    // writes the file it always wrote.
    if (const QString period = valueOf(kPeriodSection, kPeriodKey); !period.isEmpty())
        file.setValue(kPeriodSection, kPeriodKey, period);
    try {
        WriteFileAtomically(path, file.serialize(IniStore::encodingOf(kSetup)));
    } catch (const RuntimeError &) {
        return false;
    }
    ini.invalidate(kSetup);
    return true;
}

} // namespace purslet
