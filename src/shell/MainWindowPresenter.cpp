#include "shell/MainWindowPresenter.h"

#include "operations/BookOperations.h"
#include "presenters/FileCommands.h"
#include "files/FileHistory.h"
#include "presenters/UndoCommand.h"
#include "presenters/ChartPresenter.h"
#include "presenters/EditCommands.h"
#include "platform/Ui.h"
#include "presenters/PdfCommand.h"
#include "presenters/HelpCommands.h"
#include "shell/ShellView.h"
#include "state/App.h"
#include "state/MenuTable.h"

namespace purslet {

MainWindowPresenter::MainWindowPresenter(App &app, FileCommands &files, EditCommands &edit, ChartPresenter &chart)
    : m_app(app), m_files(files), m_edit(edit), m_chart(chart)
{
    // Commands test their own item where they have a rule for it; the menu
    // itself never offers a disabled item.
    using M = MenuItem;
    on(M::fileNew, [this] { m_files.fileNew_Click(); });
    on(M::fileOpen, [this] { m_files.fileOpen_Click(); });
    on(M::fileSave, [this] { m_files.fileSave_Click(); });
    on(M::fileWrite, [this] { m_files.fileWrite_Click(); });
    for (const MenuItem item : {M::printCashier, M::printIncome, M::printOutgo, M::printAll})
        on(item, [this, item] {
            if (onPrint)
                onPrint(item);
        });
    on(M::filePdf, [this] { filePdf_Click(m_app.ui, m_app.doc.path, onWritePdf); });
    on(M::fileEnd, [this] {
        if (onEnd)
            onEnd();
    });
    on(M::editUndo, [this] { editUndo_Click(m_app); });
    on(M::editCut, [this] { m_edit.editCut_Click(); });
    on(M::editCopy, [this] { m_edit.editCopy_Click(); });
    on(M::editPaste, [this] { m_edit.editPaste_Click(); });
    on(M::editDelete, [this] { m_edit.editDelete_Click(); });
    on(M::editMatter, [this] { m_edit.editMatter_Click(); });
    on(M::editFind, [this] {
        if (!m_app.menu.checked(MenuItem::showMain))
            showMain_Click();
        if (onFind)
            onFind();
    });
    on(M::showInput, [this] { showInput_Click(); });
    on(M::showCalendar, [this] { showCalendar_Click(); });
    on(M::showMain, [this] { showMain_Click(); });
    on(M::showGraph, [this] { m_chart.showGraph(); });
    on(M::showPeriod, [this] {
        if (!m_app.menu.checked(MenuItem::showMain))
            showMain_Click();
        if (onFocusPeriod)
            onFocusPeriod();
    });
    on(M::showPeriodBack, [this] { StepPeriod(m_app, -1); });
    on(M::showPeriodForth, [this] { StepPeriod(m_app, +1); });
    on(M::setupHighSpeedMode, [this] { setupHighSpeedMode_Click(); });
    on(M::setupDeleteHistory, [this] { setupDeleteHistory_Click(m_app); });
    on(M::helpIndex, [this] { helpIndex_Click(m_app.ui); });
    on(M::helpTopics, [this] { helpTopics_Click(m_app.ui); });
    on(M::helpSupport, [this] { helpSupport_Click(m_app.ui); });
    on(M::helpVersion, [this] { helpVersion_Click(m_app.ui); });
}

void MainWindowPresenter::on(MenuItem item, std::function<void()> command)
{
    m_commands[size_t(item)] = std::move(command);
}

bool MainWindowPresenter::hasCommand(MenuItem item) const
{
    return bool(m_commands[size_t(item)]);
}

void MainWindowPresenter::menuClick(MenuItem item)
{
    // Menus and separators have no command.
    if (const auto &command = m_commands[size_t(item)])
        command();
}

void MainWindowPresenter::fileHistory_Click(int index)
{
    m_files.fileHistory_Click(index);
}

void MainWindowPresenter::Toolbar_ButtonClick(const QString &key)
{
    if (const std::optional<MenuItem> command = ToolbarCommandFor(key))
        menuClick(*command);
}

void MainWindowPresenter::toggle(MenuItem item, ShellWindow window)
{
    const bool shown = m_app.menu.checked(item);
    if (m_view)
        m_view->setChildVisible(window, !shown);
    m_app.menu.setChecked(item, !shown);
}

void MainWindowPresenter::showInput_Click()
{
    toggle(MenuItem::showInput, ShellWindow::Input);
}

void MainWindowPresenter::showCalendar_Click()
{
    toggle(MenuItem::showCalendar, ShellWindow::Calendar);
}

void MainWindowPresenter::showMain_Click()
{
    toggle(MenuItem::showMain, ShellWindow::Book);
}

void MainWindowPresenter::setupHighSpeedMode_Click()
{
    const MenuItem item = MenuItem::setupHighSpeedMode;
    m_app.menu.setChecked(item, !m_app.menu.checked(item));
}

void MainWindowPresenter::childCloseRequested(ShellWindow window)
{
    if (m_view)
        m_view->setChildVisible(window, false);
    switch (window) {
    case ShellWindow::Input:
        m_app.menu.setChecked(MenuItem::showInput, false);
        break;
    case ShellWindow::Calendar:
        m_app.menu.setChecked(MenuItem::showCalendar, false);
        break;
    case ShellWindow::Book:
        m_app.menu.setChecked(MenuItem::showMain, false);
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
