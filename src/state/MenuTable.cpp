#include "state/MenuTable.h"

namespace purslet {

namespace {
MenuEntry entry(MenuItem item, const char *name, const char *caption)
{
    MenuEntry e;
    e.item = item;
    e.name = QString::fromLatin1(name);
    e.caption = QString::fromUtf8(caption);
    return e;
}

MenuEntry menu(MenuItem item, const char *name, const char *caption)
{
    MenuEntry e = entry(item, name, caption);
    e.isMenu = true;
    return e;
}

MenuEntry item(MenuItem parent, MenuItem item, const char *name, const char *caption, const char *shortcut = "",
               bool enabled = true)
{
    MenuEntry e = entry(item, name, caption);
    e.parent = parent;
    e.shortcut = QString::fromLatin1(shortcut);
    e.enabled = enabled;
    return e;
}

MenuEntry bar(MenuItem parent, MenuItem item, const char *name)
{
    return purslet::item(parent, item, name, "-");
}

MenuEntry check(MenuItem parent, MenuItem item, const char *name, const char *caption)
{
    MenuEntry e = purslet::item(parent, item, name, caption);
    e.checkable = true;
    return e;
}
} // namespace

// The name is spelled once, by the enumerator itself.
#define MENU(name, ...) menu(MenuItem::name, #name, __VA_ARGS__)
#define ITEM(parent, name, ...) item(MenuItem::parent, MenuItem::name, #name, __VA_ARGS__)
#define BAR(parent, name) bar(MenuItem::parent, MenuItem::name, #name)
#define CHECK(parent, name, ...) check(MenuItem::parent, MenuItem::name, #name, __VA_ARGS__)

const std::vector<MenuEntry> &MenuTable()
{
    static const std::vector<MenuEntry> table = [] {
        std::vector<MenuEntry> t;
        t.push_back(MENU(menuFile, "ファイル(&F)"));
        t.push_back(ITEM(menuFile, fileNew, "新規作成(&N)", "Ctrl+N"));
        t.push_back(ITEM(menuFile, fileOpen, "ファイルを開く(&O)", "Ctrl+O"));
        t.push_back(BAR(menuFile, fileBar1));
        t.push_back(ITEM(menuFile, fileSave, "上書き保存(&S)", "Ctrl+S"));
        t.push_back(ITEM(menuFile, fileWrite, "名前をつけて保存(&W)"));
        t.push_back(BAR(menuFile, fileBar2));
        MenuEntry print = MENU(filePrint, "印刷(&P)");
        print.parent = MenuItem::menuFile;
        t.push_back(print);
        t.push_back(ITEM(filePrint, printCashier, "出納帳の印刷(&C)"));
        t.push_back(ITEM(filePrint, printIncome, "収入詳細表の印刷(&I)"));
        t.push_back(ITEM(filePrint, printOutgo, "支出詳細表の印刷(&O)"));
        t.push_back(BAR(filePrint, printBar1));
        t.push_back(ITEM(filePrint, printAll, "全ての印刷(&A)", "Ctrl+P"));
        // Print All as a file, for a user without a printer.
        t.push_back(ITEM(menuFile, filePdf, "PDFファイルに書き出す(&F)..."));
        MenuEntry history = BAR(menuFile, fileHistory);
        history.visible = false; // element 0; the recent files follow it
        t.push_back(history);
        t.push_back(BAR(menuFile, fileBar3));
        t.push_back(ITEM(menuFile, fileEnd, "Pursletの終了(&E)", "Ctrl+Q"));

        t.push_back(MENU(mnuEdit, "編集(&E)"));
        t.push_back(ITEM(mnuEdit, editUndo, "元に戻せません(&U)", "Ctrl+Z", false));
        t.push_back(BAR(mnuEdit, editBar1));
        t.push_back(ITEM(mnuEdit, editCut, "切り取り(&T)", "Ctrl+T", false));
        t.push_back(ITEM(mnuEdit, editCopy, "コピー(&C)", "Ctrl+C", false));
        t.push_back(ITEM(mnuEdit, editPaste, "貼り付け(&P)", "Ctrl+V", false));
        t.push_back(BAR(mnuEdit, editBar2));
        t.push_back(ITEM(mnuEdit, editDelete, "行の削除(&D)", "Ctrl+D", false));
        t.push_back(ITEM(mnuEdit, editMatter, "事柄の編集(&M)", "Ctrl+M", false));
        t.push_back(ITEM(mnuEdit, editFind, "検索(&F)", "Ctrl+F"));

        t.push_back(MENU(mnuShow, "表示(&A)"));
        t.push_back(CHECK(mnuShow, showInput, "インプットウインドウ(&I)"));
        t.push_back(CHECK(mnuShow, showCalendar, "カレンダーウインドウ(&C)"));
        t.push_back(CHECK(mnuShow, showMain, "メインウインドウ(&M)"));
        t.push_back(BAR(mnuShow, showBar1));
        t.push_back(ITEM(mnuShow, showGraph, "グラフの表示(&G)"));
        t.push_back(BAR(mnuShow, showBar2));
        t.push_back(ITEM(mnuShow, showPeriod, "期間の選択(&P)"));
        t.push_back(ITEM(mnuShow, showPeriodBack, "前の月(&B)", "Ctrl+PgUp"));
        t.push_back(ITEM(mnuShow, showPeriodForth, "次の月(&N)", "Ctrl+PgDown"));

        t.push_back(MENU(mnuSetup, "設定(&S)"));
        t.push_back(CHECK(mnuSetup, setupHighSpeedMode, "ハイスピードモード(&H)"));
        t.push_back(BAR(mnuSetup, setupBar1));
        t.push_back(ITEM(mnuSetup, setupDeleteHistory, "履歴の削除(&D)", "", false));

        t.push_back(MENU(mnuHelp, "ヘルプ(&H)"));
        t.push_back(ITEM(mnuHelp, helpIndex, "目次(&I)", "Ctrl+I"));
        t.push_back(ITEM(mnuHelp, helpTopics, "トピックの検索(&T)", "F1"));
        t.push_back(BAR(mnuHelp, helpBar1));
        t.push_back(ITEM(mnuHelp, helpSupport, "サポートWebページ(&S)"));
        t.push_back(BAR(mnuHelp, helpBar2));
        t.push_back(ITEM(mnuHelp, helpVersion, "バージョン情報(&V)"));
        return t;
    }();
    return table;
}

#undef MENU
#undef ITEM
#undef BAR
#undef CHECK

std::optional<MenuItem> MenuItemNamed(const QString &name)
{
    for (const MenuEntry &e : MenuTable())
        if (e.name == name)
            return e.item;
    return std::nullopt;
}

const std::vector<ToolbarEntry> &ToolbarTable()
{
    static const std::vector<ToolbarEntry> table = {
        {QString(), QString(), std::nullopt},
        {QStringLiteral("new"), QStringLiteral("新規作成"), MenuItem::fileNew},
        {QStringLiteral("open"), QStringLiteral("ファイルを開く"), MenuItem::fileOpen},
        {QStringLiteral("save"), QStringLiteral("上書き保存"), MenuItem::fileSave},
        {QStringLiteral("print"), QStringLiteral("印刷"), MenuItem::printAll},
        {QString(), QString(), std::nullopt},
        {QStringLiteral("undo"), QStringLiteral("元に戻す"), MenuItem::editUndo},
        {QStringLiteral("cut"), QStringLiteral("切り取り"), MenuItem::editCut},
        {QStringLiteral("copy"), QStringLiteral("コピー"), MenuItem::editCopy},
        {QStringLiteral("paste"), QStringLiteral("貼り付け"), MenuItem::editPaste},
        {QStringLiteral("delete"), QStringLiteral("行の削除"), MenuItem::editDelete},
        {QString(), QString(), std::nullopt},
        {QStringLiteral("help"), QStringLiteral("ヘルプの目次"), MenuItem::helpIndex},
        {QStringLiteral("help2"), QStringLiteral("トピックの検索"), MenuItem::helpTopics},
    };
    return table;
}

std::optional<MenuItem> ToolbarCommandFor(const QString &key)
{
    for (const ToolbarEntry &e : ToolbarTable())
        if (!e.key.isEmpty() && e.key == key)
            return e.command;
    return std::nullopt;
}

} // namespace purslet
