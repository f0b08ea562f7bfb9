#include "shell/MainWindowPresenter.h"

#include "files/FileCommands.h"
#include "files/FileHistory.h"
#include "files/UndoCommand.h"
#include "graph/ChartPresenter.h"
#include "ledger/EditCommands.h"
#include "platform/Ui.h"
#include "shell/HelpCommands.h"
#include "shell/ShellView.h"
#include "state/App.h"
#include "state/MenuTable.h"

namespace purslet {

MainWindowPresenter::MainWindowPresenter(App &app, FileCommands &files, EditCommands &edit, ChartPresenter &chart)
    : m_app(app), m_files(files), m_edit(edit), m_chart(chart)
{
}

void MainWindowPresenter::menuClick(const QString &name)
{
    // Commands test their own item where they have a rule for it; the menu
    // itself never offers a disabled item.
    if (name == QLatin1String("fileNew"))
        m_files.fileNew_Click();
    else if (name == QLatin1String("fileOpen"))
        m_files.fileOpen_Click();
    else if (name == QLatin1String("fileSave"))
        m_files.fileSave_Click();
    else if (name == QLatin1String("fileWrite"))
        m_files.fileWrite_Click();
    else if (name.startsWith(QLatin1String("print"))) {
        if (onPrint)
            onPrint(name);
    } else if (name == QLatin1String("fileEnd")) {
        if (onEnd)
            onEnd();
    } else if (name == QLatin1String("editUndo"))
        editUndo_Click(m_app);
    else if (name == QLatin1String("editCut"))
        m_edit.editCut_Click();
    else if (name == QLatin1String("editCopy"))
        m_edit.editCopy_Click();
    else if (name == QLatin1String("editPaste"))
        m_edit.editPaste_Click();
    else if (name == QLatin1String("editDelete"))
        m_edit.editDelete_Click();
    else if (name == QLatin1String("editMatter"))
        m_edit.editMatter_Click();
    else if (name == QLatin1String("showInput"))
        showInput_Click();
    else if (name == QLatin1String("showCalendar"))
        showCalendar_Click();
    else if (name == QLatin1String("showMain"))
        showMain_Click();
    else if (name == QLatin1String("showGraph"))
        m_chart.showGraph();
    else if (name == QLatin1String("setupHighSpeedMode"))
        setupHighSpeedMode_Click();
    else if (name == QLatin1String("setupDeleteHistory"))
        setupDeleteHistory_Click(m_app);
    else if (name == QLatin1String("helpIndex"))
        helpIndex_Click(m_app.ui);
    else if (name == QLatin1String("helpTopics"))
        helpTopics_Click(m_app.ui);
    else if (name == QLatin1String("helpSupport"))
        helpSupport_Click(m_app.ui);
    else if (name == QLatin1String("helpVersion"))
        helpVersion_Click(m_app.ui);
}

void MainWindowPresenter::fileHistory_Click(int index)
{
    m_files.fileHistory_Click(index);
}

void MainWindowPresenter::Toolbar_ButtonClick(const QString &key)
{
    const QString command = ToolbarCommandFor(key);
    if (!command.isEmpty())
        menuClick(command);
}

void MainWindowPresenter::toggle(const QString &item, ShellWindow window)
{
    const bool shown = m_app.menu.checked(item);
    if (m_view)
        m_view->setChildVisible(window, !shown);
    m_app.menu.setChecked(item, !shown);
}

void MainWindowPresenter::showInput_Click()
{
    toggle(QStringLiteral("showInput"), ShellWindow::Input);
}

void MainWindowPresenter::showCalendar_Click()
{
    toggle(QStringLiteral("showCalendar"), ShellWindow::Calendar);
}

void MainWindowPresenter::showMain_Click()
{
    toggle(QStringLiteral("showMain"), ShellWindow::Book);
}

void MainWindowPresenter::setupHighSpeedMode_Click()
{
    const QString item = QStringLiteral("setupHighSpeedMode");
    m_app.menu.setChecked(item, !m_app.menu.checked(item));
}

void MainWindowPresenter::childCloseRequested(ShellWindow window)
{
    if (m_view)
        m_view->setChildVisible(window, false);
    switch (window) {
    case ShellWindow::Input:
        m_app.menu.setChecked(QStringLiteral("showInput"), false);
        break;
    case ShellWindow::Calendar:
        m_app.menu.setChecked(QStringLiteral("showCalendar"), false);
        break;
    case ShellWindow::Book:
        m_app.menu.setChecked(QStringLiteral("showMain"), false);
        break;
    case ShellWindow::Main:
        break;
    }
}

void MainWindowPresenter::MDIForm_Resize()
{
    if (!m_view)
        return;
    if (m_view->geometry(ShellWindow::Book).windowState == kStateMinimised)
        return;
    WindowGeometry main = m_view->geometry(ShellWindow::Main);
    if (main.width >= MinimumWidth) {
        m_view->setStatusPanelWidth(main.width - StatusPanelReserve);
        return;
    }
    if (main.windowState != kStateNormal)
        return;
    main.height = ResetHeight;
    main.width = ResetWidth;
    main.left = (m_view->screenWidth() - main.width) / 2;
    main.top = (m_view->screenHeight() - main.height) / 2;
    m_view->setGeometry(ShellWindow::Main, main);
    ShowStatus(m_app.ui, QStringLiteral("注意：フォームが小さすぎます"));
}

void MainWindowPresenter::MouseMove()
{
    ShowStatus(m_app.ui, QString());
}

} // namespace purslet
