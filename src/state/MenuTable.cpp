#include "state/MenuTable.h"

namespace purslet {

namespace {
MenuEntry menu(const char *name, const char *caption)
{
    MenuEntry e;
    e.name = QString::fromUtf8(name);
    e.caption = QString::fromUtf8(caption);
    e.isMenu = true;
    return e;
}

MenuEntry item(const char *parent, const char *name, const char *caption, const char *shortcut = "",
               bool enabled = true)
{
    MenuEntry e;
    e.name = QString::fromUtf8(name);
    e.parent = QString::fromUtf8(parent);
    e.caption = QString::fromUtf8(caption);
    e.shortcut = QString::fromUtf8(shortcut);
    e.enabled = enabled;
    return e;
}

MenuEntry bar(const char *parent, const char *name)
{
    return item(parent, name, "-");
}

MenuEntry check(const char *parent, const char *name, const char *caption)
{
    MenuEntry e = item(parent, name, caption);
    e.checkable = true;
    return e;
}
} // namespace

const std::vector<MenuEntry> &MenuTable()
{
    static const std::vector<MenuEntry> table = [] {
        std::vector<MenuEntry> t;
        t.push_back(menu("menuFile", "ファイル(&F)"));
        t.push_back(item("menuFile", "fileNew", "新規作成(&N)", "Ctrl+N"));
        t.push_back(item("menuFile", "fileOpen", "ファイルを開く(&O)", "Ctrl+O"));
        t.push_back(bar("menuFile", "fileBar1"));
        t.push_back(item("menuFile", "fileSave", "上書き保存(&S)", "Ctrl+S"));
        t.push_back(item("menuFile", "fileWrite", "名前をつけて保存(&W)"));
        t.push_back(bar("menuFile", "fileBar2"));
        MenuEntry print = menu("filePrint", "印刷(&P)");
        print.parent = QStringLiteral("menuFile");
        t.push_back(print);
        t.push_back(item("filePrint", "printCashier", "出納帳の印刷(&C)"));
        t.push_back(item("filePrint", "printIncome", "収入詳細表の印刷(&I)"));
        t.push_back(item("filePrint", "printOutgo", "支出詳細表の印刷(&O)"));
        t.push_back(bar("filePrint", "printBar1"));
        t.push_back(item("filePrint", "printAll", "全ての印刷(&A)", "Ctrl+P"));
        MenuEntry history = bar("menuFile", "fileHistory");
        history.visible = false; // element 0; the recent files follow it
        t.push_back(history);
        t.push_back(bar("menuFile", "fileBar3"));
        t.push_back(item("menuFile", "fileEnd", "Pursletの終了(&E)", "Ctrl+Q"));

        t.push_back(menu("mnuEdit", "編集(&E)"));
        t.push_back(item("mnuEdit", "editUndo", "元に戻せません(&U)", "Ctrl+Z", false));
        t.push_back(bar("mnuEdit", "editBar1"));
        t.push_back(item("mnuEdit", "editCut", "切り取り(&T)", "Ctrl+T", false));
        t.push_back(item("mnuEdit", "editCopy", "コピー(&C)", "Ctrl+C", false));
        t.push_back(item("mnuEdit", "editPaste", "貼り付け(&P)", "Ctrl+V", false));
        t.push_back(bar("mnuEdit", "editBar2"));
        t.push_back(item("mnuEdit", "editDelete", "行の削除(&D)", "Ctrl+D", false));
        t.push_back(item("mnuEdit", "editMatter", "事柄の編集(&M)", "Ctrl+M", false));

        t.push_back(menu("mnuShow", "表示(&A)"));
        t.push_back(check("mnuShow", "showInput", "インプットウインドウ(&I)"));
        t.push_back(check("mnuShow", "showCalendar", "カレンダーウインドウ(&C)"));
        t.push_back(check("mnuShow", "showMain", "メインウインドウ(&M)"));
        t.push_back(bar("mnuShow", "showBar1"));
        t.push_back(item("mnuShow", "showGraph", "グラフの表示(&G)"));

        t.push_back(menu("mnuSetup", "設定(&S)"));
        t.push_back(check("mnuSetup", "setupHighSpeedMode", "ハイスピードモード(&H)"));
        t.push_back(bar("mnuSetup", "setupBar1"));
        t.push_back(item("mnuSetup", "setupDeleteHistory", "履歴の削除(&D)", "", false));

        t.push_back(menu("mnuHelp", "ヘルプ(&H)"));
        t.push_back(item("mnuHelp", "helpIndex", "目次(&I)", "Ctrl+I"));
        t.push_back(item("mnuHelp", "helpTopics", "トピックの検索(&T)", "F1"));
        t.push_back(bar("mnuHelp", "helpBar1"));
        t.push_back(item("mnuHelp", "helpSupport", "サポートWebページ(&S)"));
        t.push_back(bar("mnuHelp", "helpBar2"));
        t.push_back(item("mnuHelp", "helpVersion", "バージョン情報(&V)"));
        return t;
    }();
    return table;
}

const std::vector<ToolbarEntry> &ToolbarTable()
{
    static const std::vector<ToolbarEntry> table = {
        {QString(), QString(), QString()},
        {QStringLiteral("new"), QStringLiteral("新規作成"), QStringLiteral("fileNew")},
        {QStringLiteral("open"), QStringLiteral("ファイルを開く"), QStringLiteral("fileOpen")},
        {QStringLiteral("save"), QStringLiteral("上書き保存"), QStringLiteral("fileSave")},
        {QStringLiteral("print"), QStringLiteral("印刷"), QStringLiteral("printAll")},
        {QString(), QString(), QString()},
        {QStringLiteral("undo"), QStringLiteral("元に戻す"), QStringLiteral("editUndo")},
        {QStringLiteral("cut"), QStringLiteral("切り取り"), QStringLiteral("editCut")},
        {QStringLiteral("copy"), QStringLiteral("コピー"), QStringLiteral("editCopy")},
        {QStringLiteral("paste"), QStringLiteral("貼り付け"), QStringLiteral("editPaste")},
        {QStringLiteral("delete"), QStringLiteral("行の削除"), QStringLiteral("editDelete")},
        {QString(), QString(), QString()},
        {QStringLiteral("help"), QStringLiteral("ヘルプの目次"), QStringLiteral("helpIndex")},
        {QStringLiteral("help2"), QStringLiteral("トピックの検索"), QStringLiteral("helpTopics")},
    };
    return table;
}

QString ToolbarCommandFor(const QString &key)
{
    for (const ToolbarEntry &e : ToolbarTable())
        if (!e.key.isEmpty() && e.key == key)
            return e.command;
    return QString();
}

} // namespace purslet
