#include "ui/MainWindow.h"

#include "platform/Twips.h"
#include "shell/Presenters.h"
#include "shell/Shutdown.h"
#include "state/App.h"
#include "state/MenuTable.h"
#include "ui/BookWindow.h"
#include "ui/CalendarWindow.h"
#include "ui/InputWindow.h"
#include "ui/LockIndicators.h"
#include "ui/MainWindowKeys.h"
#include "ui/QtUi.h"
#include "ui/SubWindowWidth.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace purslet {

namespace {
// Menu captions show "&" as a mnemonic; a path shows it as it is.
QString literalCaption(const QString &text)
{
    return QString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}
} // namespace

MainWindow::MainWindow(App &app, Presenters &presenters, QtUi &ui) : m_app(app), m_presenters(presenters), m_ui(ui)
{
    setObjectName(QStringLiteral("mdiMain"));
    syncTitle();
    setWindowIcon(QIcon(QStringLiteral(":/purslet.png")));
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdi);
    m_mdi->viewport()->setMouseTracking(true);
    m_mdi->viewport()->installEventFilter(this);

    m_ui.setParentWidget(this);
    m_ui.setStatusSink([this](const QString &text) {
        if (m_panels[0])
            m_panels[0]->setText(text);
    });

    auto previousMenu = std::move(m_app.menu.onChanged);
    m_app.menu.onChanged = [this, previousMenu](MenuItem item) {
        if (previousMenu)
            previousMenu(item);
        syncItem(item);
    };
    auto previousDoc = std::move(m_app.doc.onChanged);
    m_app.doc.onChanged = [this, previousDoc] {
        if (previousDoc)
            previousDoc();
        syncTitle();
    };

    MainWindowKeys::Hooks keys;
    keys.runItem = [this](MenuItem item) { runMenuItem(item); };
    keys.enabled = [this](MenuItem item) { return m_app.menu.enabled(item); };
    keys.keepsClipboardKeys = [this](const QWidget *focus) {
        const auto *input = m_input ? qobject_cast<const InputWindow *>(m_input->widget()) : nullptr;
        return input && input->keepsClipboardKeys(focus);
    };
    m_keys = std::make_unique<MainWindowKeys>(this, m_mdi, std::move(keys));
    m_locks = new LockIndicators(this);
    connect(m_locks, &LockIndicators::changed, this, &MainWindow::showLockState);

    m_presenters.main.setView(this);
    m_presenters.main.onEnd = [this] { fileEnd_Click(m_presenters, *this); };
    // A click on the date field shows the calendar without its check mark.
    m_presenters.input.onShowCalendar = [this] { setChildVisible(ShellWindow::Calendar, true); };

    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    m_ending = true;
    qApp->removeEventFilter(this);
    m_app.menu.onChanged = nullptr;
    m_app.doc.onChanged = nullptr;
    m_presenters.main.setView(nullptr);
    m_presenters.main.onEnd = nullptr;
    m_presenters.input.onShowCalendar = nullptr;
    m_ui.exitCommand = nullptr;
    m_ui.setStatusSink(nullptr);
    m_ui.setParentWidget(nullptr);
}

void MainWindow::createMainWindow()
{
    buildMenus();
    // Toolbar and status bar exist from here on, so that their heights count
    // in the default size; start-up fills them later.
    m_toolbar = addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->toggleViewAction()->setVisible(false);
    m_toolbar->setMouseTracking(true);
    m_toolbar->installEventFilter(this);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(true);
    statusBar()->setMouseTracking(true);
    statusBar()->installEventFilter(this);
}

void MainWindow::buildMenus()
{
    for (const MenuEntry &e : MenuTable()) {
        QMenu *parentMenu = e.parent ? m_menus[size_t(*e.parent)] : nullptr;
        if (e.isMenu) {
            QMenu *menu = parentMenu ? parentMenu->addMenu(e.caption) : menuBar()->addMenu(e.caption);
            menu->setObjectName(e.name);
            m_menus[size_t(e.item)] = menu;
            m_actions[size_t(e.item)] = menu->menuAction();
            continue;
        }
        if (!parentMenu)
            continue;
        QAction *action = nullptr;
        if (e.caption == QLatin1String("-")) {
            action = parentMenu->addSeparator();
        } else {
            action = parentMenu->addAction(e.caption);
            if (!e.shortcut.isEmpty())
                action->setShortcut(QKeySequence(e.shortcut));
            if (e.parent == MenuItem::mnuEdit)
                m_keys->addItem(e.item, action->shortcut());
            action->setCheckable(e.checkable);
            const MenuItem item = e.item;
            connect(action, &QAction::triggered, this, [this, item] { runMenuItem(item); });
        }
        action->setObjectName(e.name);
        m_actions[size_t(e.item)] = action;
    }
    for (const MenuEntry &e : MenuTable())
        syncItem(e.item);
    syncHistory();
}

void MainWindow::runMenuItem(MenuItem item)
{
    m_presenters.main.menuClick(item);
    // A check item shows the presenter's mark, not Qt's own toggle.
    syncItem(item);
}

void MainWindow::syncItem(MenuItem item)
{
    QAction *action = m_actions[size_t(item)];
    if (!action)
        return;
    const MenuItemState &state = m_app.menu.item(item);
    if (action->isSeparator() || m_menus[size_t(item)]) {
        action->setVisible(state.visible);
    } else {
        action->setText(state.caption);
        action->setEnabled(state.enabled);
        action->setVisible(state.visible);
        if (action->isCheckable())
            action->setChecked(state.checked);
    }
    if (item == MenuItem::fileHistory)
        syncHistory();
}

void MainWindow::syncHistory()
{
    QMenu *file = m_menus[size_t(MenuItem::menuFile)];
    QAction *before = menuAction(MenuItem::fileBar3);
    if (!file || !before)
        return;
    const QStringList &paths = m_app.menu.history();
    while (m_historyActions.size() > paths.size())
        delete m_historyActions.takeLast();
    while (m_historyActions.size() < paths.size()) {
        const int index = int(m_historyActions.size()) + 1;
        auto *action = new QAction(file);
        action->setObjectName(QStringLiteral("fileHistory(%1)").arg(index));
        connect(action, &QAction::triggered, this, [this, index] { m_presenters.main.fileHistory_Click(index); });
        file->insertAction(before, action);
        m_historyActions << action;
    }
    for (int i = 0; i < paths.size(); ++i)
        m_historyActions.at(i)->setText(literalCaption(paths.at(i)));
}

void MainWindow::syncTitle()
{
    // Qt's mark for unsaved changes: " *" at the end of the title. The
    // placeholder is there only while it shows, so no blank trails the
    // title of a saved book.
    const bool modified = m_app.doc.modified;
    if (!modified)
        setWindowModified(false);
    setWindowTitle(modified ? m_app.doc.windowTitle + QStringLiteral(" [*]") : m_app.doc.windowTitle);
    if (modified)
        setWindowModified(true);
}

QMdiSubWindow *MainWindow::wrap(QWidget *content, const QString &caption)
{
    auto *sub = new QMdiSubWindow(m_mdi->viewport());
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWidget(content);
    sub->setWindowTitle(caption);
    sub->setWindowIcon(QIcon(QStringLiteral(":/purslet.png")));
    m_mdi->addSubWindow(sub);
    sub->hide();
    sub->installEventFilter(this);
    sub->resize(sub->sizeHint());
    return sub;
}

void MainWindow::createChildWindows()
{
    m_input = wrap(new InputWindow(m_presenters.input, m_app, nullptr), QStringLiteral("インプットウインドウ"));
    m_input->setObjectName(QStringLiteral("subInput"));
    m_calendar = wrap(new CalendarWindow(m_presenters.calendar, nullptr), QStringLiteral("カレンダーウインドウ"));
    m_calendar->setObjectName(QStringLiteral("subCalendar"));
    m_book = wrap(new BookWindow(m_presenters.bookWindow, m_app, nullptr), QStringLiteral("メインウインドウ"));
    m_book->setObjectName(QStringLiteral("subMain"));
    m_keys->setChildOrder({m_input, m_calendar, m_book});
}

void MainWindow::buildToolbar()
{
    if (!m_toolbar)
        return;
    m_toolbar->clear();
    for (const ToolbarEntry &e : ToolbarTable()) {
        if (e.key.isEmpty()) {
            m_toolbar->addSeparator();
            continue;
        }
        QAction *button = m_toolbar->addAction(QIcon(QStringLiteral(":/toolbar/%1.png").arg(e.key)), QString());
        button->setObjectName(QStringLiteral("tool_") + e.key);
        button->setToolTip(e.tooltip);
        const QString key = e.key;
        // Never disabled: the command checks its own item and explains itself.
        connect(button, &QAction::triggered, this, [this, key] { m_presenters.main.Toolbar_ButtonClick(key); });
    }
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    for (QLabel *&panel : m_panels) {
        delete panel;
        panel = nullptr;
    }
    m_panels[0] = new QLabel(bar);
    m_panels[0]->setObjectName(QStringLiteral("Panel1"));
    m_panels[0]->setMinimumWidth(0);
    m_panels[0]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_panels[0]->setText(m_ui.statusText());
    bar->addWidget(m_panels[0], 1);
    const char *texts[] = {"CAPS", "INS", "KANA"};
    const int widths[] = {600, 500, 400};
    for (int i = 1; i < 4; ++i) {
        m_panels[i] = new QLabel(QString::fromLatin1(texts[i - 1]), bar);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        m_panels[i]->setAlignment(Qt::AlignCenter);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        // The twips width, unless the indicator's text needs more.
        const int textWidth = m_panels[i]->fontMetrics().horizontalAdvance(m_panels[i]->text()) + 8;
        m_panels[i]->setFixedWidth(std::max(TwipsToPixels(widths[i - 1], dpiX()), textWidth));
        m_panels[i]->setEnabled(false);
        bar->addPermanentWidget(m_panels[i]);
    }
    showLockState();
}

void MainWindow::showLockState()
{
    // Where the platform reports a lock, it is the truth; otherwise the
    // panels follow the lock keys pressed while we have the focus.
    if (m_locks->caps())
        m_caps = *m_locks->caps();
    if (m_locks->kana())
        m_kana = *m_locks->kana();
    if (m_panels[1])
        m_panels[1]->setEnabled(m_caps);
    if (m_panels[3])
        m_panels[3]->setEnabled(m_kana);
}

void MainWindow::showMainWindow()
{
    show();
}

QMdiSubWindow *MainWindow::subWindow(ShellWindow window) const
{
    switch (window) {
    case ShellWindow::Input:
        return m_input;
    case ShellWindow::Calendar:
        return m_calendar;
    case ShellWindow::Book:
        return m_book;
    case ShellWindow::Main:
        break;
    }
    return nullptr;
}

QLabel *MainWindow::statusPanel(int index) const
{
    return index >= 1 && index <= 4 ? m_panels[index - 1] : nullptr;
}

double MainWindow::dpiX() const
{
    const QScreen *s = screen();
    return s ? s->logicalDotsPerInchX() : 96.0;
}

double MainWindow::dpiY() const
{
    const QScreen *s = screen();
    return s ? s->logicalDotsPerInchY() : 96.0;
}

WindowGeometry MainWindow::geometry(ShellWindow window) const
{
    WindowGeometry g;
    const QWidget *w = window == ShellWindow::Main ? static_cast<const QWidget *>(this) : subWindow(window);
    if (!w)
        return g;
    const QPoint pos = w->pos();
    const QSize size = w->size();
    g.left = PixelsToTwips(pos.x(), dpiX());
    g.top = PixelsToTwips(pos.y(), dpiY());
    g.width = PixelsToTwips(size.width(), dpiX());
    g.height = PixelsToTwips(size.height(), dpiY());
    g.windowState = w->isMinimized() ? kStateMinimised : w->isMaximized() ? kStateMaximised : kStateNormal;
    return g;
}

void MainWindow::setGeometry(ShellWindow window, const WindowGeometry &g)
{
    QWidget *w = window == ShellWindow::Main ? static_cast<QWidget *>(this) : subWindow(window);
    if (!w)
        return;
    const Qt::WindowStates state = g.windowState == kStateMinimised   ? Qt::WindowMinimized
                                   : g.windowState == kStateMaximised ? Qt::WindowMaximized
                                                                      : Qt::WindowNoState;
    if (state == Qt::WindowNoState && w->windowState() != Qt::WindowNoState)
        w->setWindowState(Qt::WindowNoState);
    if (state == Qt::WindowNoState || !w->isVisible()) {
        w->move(TwipsToPixels(g.left, dpiX()), TwipsToPixels(g.top, dpiY()));
        w->resize(std::max(1, TwipsToPixels(g.width, dpiX())), std::max(1, TwipsToPixels(g.height, dpiY())));
    }
    if (state != Qt::WindowNoState && w->windowState() != state)
        w->setWindowState(state);
}

void MainWindow::fitCalendarWindow()
{
    if (!m_calendar)
        return;
    // The entry window takes the calendar's width, so the calendar is made
    // wide enough for every caption and field of the entry window and for
    // both windows' titles.
    QSize size = m_calendar->sizeHint();
    int width = size.width();
    if (m_input)
        width = std::max({width, m_input->minimumSizeHint().width(), SubWindowWidthForTitle(m_input)});
    width = std::max(width, SubWindowWidthForTitle(m_calendar));
    size.setWidth(width);
    m_calendar->resize(size);
}

double MainWindow::bookWidthForColumns(const QList<int> &columnTwips) const
{
    const auto *book = m_book ? qobject_cast<const BookWindow *>(m_book->widget()) : nullptr;
    if (!book)
        return 0;
    int columns = 0;
    for (int twips : columnTwips)
        columns += TwipsToPixels(twips, dpiX());
    const int frame = 2 * m_book->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, m_book);
    return PixelsToTwips(book->widthForColumns(columns) + frame, dpiX());
}

double MainWindow::screenWidth() const
{
    const QScreen *s = screen();
    return PixelsToTwips(s ? s->geometry().width() : 1024, dpiX());
}

double MainWindow::screenHeight() const
{
    const QScreen *s = screen();
    return PixelsToTwips(s ? s->geometry().height() : 768, dpiY());
}

double MainWindow::toolbarHeight() const
{
    // Measured as it will be once the buttons are in.
    const int px = m_toolbar ? std::max(m_toolbar->sizeHint().height(), 16 + 10) : 26;
    return PixelsToTwips(px, dpiY());
}

double MainWindow::statusBarHeight() const
{
    return PixelsToTwips(statusBar()->sizeHint().height(), dpiY());
}

void MainWindow::setChildVisible(ShellWindow window, bool visible)
{
    QMdiSubWindow *sub = subWindow(window);
    if (!sub)
        return;
    if (visible) {
        sub->show();
        sub->widget()->show();
        sub->raise();
    } else {
        sub->hide();
    }
}

BookWindow *MainWindow::activateBookWindow()
{
    auto *book = m_book ? qobject_cast<BookWindow *>(m_book->widget()) : nullptr;
    if (book)
        m_book->mdiArea()->setActiveSubWindow(m_book);
    return book;
}

void MainWindow::focusPeriod()
{
    if (BookWindow *book = activateBookWindow())
        book->focusPeriod();
}

void MainWindow::openFindBar()
{
    if (BookWindow *book = activateBookWindow())
        book->openFindBar();
}

void MainWindow::focusEntryWindow()
{
    // Typing starts in the matter box.
    if (!m_input || !m_input->isVisible())
        return;
    m_mdi->setActiveSubWindow(m_input);
    if (auto *input = qobject_cast<InputWindow *>(m_input->widget()))
        input->cmbMatter()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::setStatusPanelWidth(double twips)
{
    if (m_panels[0])
        m_panels[0]->setMaximumWidth(std::max(0, TwipsToPixels(twips, dpiX())));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_ending) {
        event->accept();
        return;
    }
    m_ending = true;
    if (fileEnd_Click(m_presenters, *this) == EndOutcome::BookKept) {
        // The book was not saved: closing now would lose it.
        m_ending = false;
        event->ignore();
        return;
    }
    // Only a failed step comes back here; a close request still ends the program.
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_panels[0])
        m_presenters.main.MDIForm_Resize();
}

namespace {
bool within(const QWidget *area, QObject *watched)
{
    const auto *widget = qobject_cast<const QWidget *>(watched);
    return area && widget && (widget == area || area->isAncestorOf(widget));
}
} // namespace

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (m_keys && m_keys->filter(watched, event))
        return true;
    switch (event->type()) {
    case QEvent::Close:
        if (!m_ending) {
            for (ShellWindow w : {ShellWindow::Input, ShellWindow::Calendar, ShellWindow::Book}) {
                if (watched == subWindow(w)) {
                    event->ignore();
                    m_presenters.main.childCloseRequested(w);
                    return true;
                }
            }
        }
        break;
    case QEvent::MouseMove:
        // The bars' buttons and panels included.
        if (within(m_toolbar, watched) || within(statusBar(), watched) || watched == m_mdi->viewport())
            m_presenters.main.MouseMove();
        break;
    case QEvent::KeyPress: {
        // The key-state panels follow the lock keys pressed while we run.
        const auto *key = static_cast<QKeyEvent *>(event);
        // Seen once, at the widget that has the focus (or at us without one).
        QWidget *focus = QApplication::focusWidget();
        if (key->isAutoRepeat() || !m_panels[1] || watched != (focus ? static_cast<QObject *>(focus) : this))
            break;
        if (key->key() == Qt::Key_CapsLock && !m_locks->caps())
            m_panels[1]->setEnabled(m_caps = !m_caps);
        else if (key->key() == Qt::Key_Insert)
            m_panels[2]->setEnabled(m_insert = !m_insert);
        else if (key->key() == Qt::Key_Kana_Lock && !m_locks->kana())
            m_panels[3]->setEnabled(m_kana = !m_kana);
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace purslet
