#include "ui/InputWindow.h"

#include "presenters/InputPresenter.h"
#include "state/App.h"
#include "ui/HintTracker.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace purslet {

namespace {

// The platform's key codes, which the completion rules are written in.
int keyCodeOf(const QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cut))
        return InputPresenter::KeyCut;
    switch (event->key()) {
    case Qt::Key_Backspace:
        return InputPresenter::KeyBack;
    case Qt::Key_Delete:
        return InputPresenter::KeyDelete;
    case Qt::Key_Return:
        return InputPresenter::KeyReturn;
    case Qt::Key_Enter:
        return InputPresenter::KeyReturn;
    case Qt::Key_Comma:
        if (event->modifiers() & Qt::KeypadModifier)
            return InputPresenter::KeySeparator;
        break;
    default:
        break;
    }
    if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        return event->key();       // same codes as the platform's letter keys
    return 0x10000 + event->key(); // any other key
}

// Ten full-width characters in the edit field, besides the frame and the arrow.
int matterBoxWidth(const QComboBox *box)
{
    const QFontMetrics fm = box->fontMetrics();
    const int text = fm.horizontalAdvance(QString(10, QChar(0x5BB6))) + 2 * 2 + 2; // line edit margins, caret
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = true;
    return box->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(text, fm.height()), box).width();
}

} // namespace

InputWindow::InputWindow(InputPresenter &presenter, App &app, QWidget *parent)
    : QWidget(parent), m_presenter(presenter), m_app(app)
{
    setObjectName(QStringLiteral("frmInput"));
    setWindowTitle(QStringLiteral("インプットウインドウ"));
    setMouseTracking(true);

    m_txtDate = new QLineEdit(this);
    m_txtDate->setObjectName(QStringLiteral("txtDate"));
    m_txtDate->setReadOnly(true);
    m_txtDate->setFocusPolicy(Qt::ClickFocus);

    m_fraCashier = new QFrame(this);
    m_fraCashier->setObjectName(QStringLiteral("fraCashier"));
    m_fraCashier->setFrameShape(QFrame::StyledPanel);
    auto *frameLayout = new QHBoxLayout(m_fraCashier);
    frameLayout->setContentsMargins(8, 4, 8, 4);
    m_optCashier[0] = new QRadioButton(QStringLiteral("収入(&I)"), m_fraCashier);
    m_optCashier[1] = new QRadioButton(QStringLiteral("支出(&O)"), m_fraCashier);
    for (int i = 0; i < 2; ++i) {
        m_optCashier[i]->setObjectName(QStringLiteral("optCashier%1").arg(i));
        frameLayout->addWidget(m_optCashier[i]);
    }
    frameLayout->addStretch();

    m_cmbMatter = new QComboBox(this);
    m_cmbMatter->setObjectName(QStringLiteral("cmbMatter"));
    m_cmbMatter->setEditable(true);
    m_cmbMatter->setInsertPolicy(QComboBox::NoInsert);
    m_cmbMatter->setCompleter(nullptr); // the presenter completes
    m_cmbMatter->setModel(&m_app.entry.cmbMatter);
    m_cmbMatter->setCurrentIndex(-1);
    m_cmbMatter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cmbMatter->setMinimumWidth(matterBoxWidth(m_cmbMatter));

    m_txtMoney = new QLineEdit(this);
    m_txtMoney->setObjectName(QStringLiteral("txtMoney"));
    m_txtMoney->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_txtMoney->setMaxLength(InputPresenter::MoneyMaxLength);
    m_txtMoney->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_txtMoney->setInputMethodHints(Qt::ImhDigitsOnly);

    m_txtMemo = new QLineEdit(this);
    m_txtMemo->setObjectName(QStringLiteral("txtMemo"));
    m_txtMemo->setMaxLength(InputPresenter::MemoMaxLength);

    m_cmdEnter = new QPushButton(QStringLiteral("記入(&E)"), this);
    m_cmdEnter->setObjectName(QStringLiteral("cmdEnter"));
    m_cmdEnter->setDefault(true);
    // Alt+E is also the Edit menu's: the button gives up its own shortcut and
    // the window answers Alt+E itself while it has the focus (see event()).
    m_cmdEnter->setShortcut(QKeySequence());

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(QStringLiteral("記入日："), m_txtDate), 0, 0);
    grid->addWidget(m_txtDate, 0, 1, 1, 2);
    grid->addWidget(m_fraCashier, 1, 0, 1, 3);
    grid->addWidget(label(QStringLiteral("事柄："), m_cmbMatter), 2, 0);
    grid->addWidget(m_cmbMatter, 2, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("金額："), m_txtMoney), 3, 0);
    grid->addWidget(m_txtMoney, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("円"), this), 3, 2);
    grid->addWidget(label(QStringLiteral("メモ："), m_txtMemo), 4, 0);
    grid->addWidget(m_txtMemo, 4, 1, 1, 2);
    grid->addWidget(m_cmdEnter, 5, 1, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);

    setTabOrder(m_optCashier[0], m_optCashier[1]);
    setTabOrder(m_optCashier[1], m_cmbMatter);
    setTabOrder(m_cmbMatter, m_txtMoney);
    setTabOrder(m_txtMoney, m_txtMemo);
    setTabOrder(m_txtMemo, m_cmdEnter);

    auto *hints = new HintTracker(this, [this](const QString &control) { m_presenter.MouseMove(control); });
    hints->addBackground();
    const std::pair<QWidget *, const char *> controls[] = {
        {m_txtDate, "txtDate"},   {m_fraCashier, "fraCashier"}, {m_optCashier[0], "optCashier"},
        {m_optCashier[1], "optCashier"}, {m_txtMoney, "txtMoney"}, {m_txtMemo, "txtMemo"},
        {m_cmdEnter, "cmdEnter"},
    };
    for (const auto &[control, name] : controls) {
        hints->add(control, QString::fromLatin1(name));
        control->installEventFilter(this); // Alt+E, and clicks on the date and the memo
    }
    // The combo box has the focus and hands the keys to its line edit itself,
    // so the completion keys are seen here.
    m_cmbMatter->installEventFilter(this);

    for (int i = 0; i < 2; ++i) {
        connect(m_optCashier[i], &QRadioButton::clicked, this, [this, i] {
            if (!m_syncing)
                m_presenter.optCashier_Click(i);
        });
    }
    QLineEdit *matterEdit = m_cmbMatter->lineEdit();
    connect(matterEdit, &QLineEdit::textEdited, this, [this] {
        if (m_syncing)
            return;
        pushMatterState();
        m_presenter.cmbMatter_Change();
    });
    // Arrow keys and the list change the text without typing: keep the presenter up to date.
    connect(matterEdit, &QLineEdit::textChanged, this, [this] {
        if (!m_syncing && !m_listChanging)
            pushMatterState();
    });
    // Picking from the list is no typing: no completion.
    connect(m_cmbMatter, &QComboBox::textActivated, this, [this](const QString &text) {
        if (m_syncing)
            return;
        m_presenter.setMatter(text, int(text.size()));
        syncFromPresenter();
    });
    // Refilling the list makes the combo box rewrite its text; that is no
    // change of the matter, so put ours back.
    MatterList *list = &m_app.entry.cmbMatter;
    auto listChanging = [this] { m_listChanging = true; };
    auto listChanged = [this] {
        m_listChanging = false;
        syncFromPresenter();
    };
    connect(list, &QAbstractItemModel::modelAboutToBeReset, this, listChanging);
    connect(list, &QAbstractItemModel::rowsAboutToBeInserted, this, listChanging);
    connect(list, &QAbstractItemModel::rowsAboutToBeRemoved, this, listChanging);
    connect(list, &QAbstractItemModel::modelReset, this, listChanged);
    connect(list, &QAbstractItemModel::rowsInserted, this, listChanged);
    connect(list, &QAbstractItemModel::rowsRemoved, this, listChanged);

    connect(m_txtMoney, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_syncing)
            return;
        m_presenter.setMoneyText(text);
        m_presenter.txtMoney_Change();
    });
    connect(m_txtMemo, &QLineEdit::textChanged, this, [this] { pushMemoState(); });
    connect(m_txtMemo, &QLineEdit::selectionChanged, this, [this] {
        pushMemoState();
        // A selection made from the keyboard offers Cut and Copy as a click does.
        if (!m_syncing && m_txtMemo->hasFocus())
            m_presenter.txtMemo_Click();
    });
    connect(m_txtMemo, &QLineEdit::cursorPositionChanged, this, [this] { pushMemoState(); });
    // While the memo has the focus, Paste follows the clipboard.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (m_txtMemo->hasFocus())
            m_presenter.txtMemo_Click();
    });
    connect(m_cmdEnter, &QPushButton::clicked, this, [this] { m_presenter.cmdEnter_Click(); });

    m_presenter.onChanged = [this] { syncFromPresenter(); };
    m_presenter.onChangeMode = [this] { showChangeMode(); };
    syncFromPresenter();
}

InputWindow::~InputWindow()
{
    m_presenter.onChanged = nullptr;
    m_presenter.onChangeMode = nullptr;
}

void InputWindow::showChangeMode()
{
    m_cmdEnter->setText(m_presenter.enterCaption());
    QMdiSubWindow *sub = nullptr;
    for (QWidget *w = parentWidget(); w && !sub; w = w->parentWidget())
        sub = qobject_cast<QMdiSubWindow *>(w);
    setWindowTitle(m_presenter.windowTitle());
    if (sub)
        sub->setWindowTitle(m_presenter.windowTitle());
    if (!m_presenter.changing())
        return;
    // The correction is typed as a new record is: from the matter box.
    if (sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    m_cmbMatter->setFocus(Qt::OtherFocusReason);
}

bool InputWindow::keepsClipboardKeys(const QWidget *focus) const
{
    return focus && (focus == m_cmbMatter || focus == m_cmbMatter->lineEdit() || focus == m_txtMoney);
}

void InputWindow::pushMatterState()
{
    const QLineEdit *edit = m_cmbMatter->lineEdit();
    m_presenter.setMatter(edit->text(), edit->cursorPosition(), edit->selectionStart(),
                          int(edit->selectedText().size()));
}

void InputWindow::pushMemoState()
{
    if (m_syncing)
        return;
    m_presenter.setMemo(m_txtMemo->text(), m_txtMemo->cursorPosition(), m_txtMemo->selectionStart(),
                        int(m_txtMemo->selectedText().size()));
    // The memo is kept as a file will give it back: show that text.
    if (m_presenter.memo() != m_txtMemo->text())
        syncFromPresenter();
}

void InputWindow::syncFromPresenter()
{
    m_syncing = true;
    const QSignalBlocker b0(m_txtDate), b1(m_optCashier[0]), b2(m_optCashier[1]), b3(m_cmbMatter), b4(m_txtMoney),
        b5(m_txtMemo);
    m_txtDate->setText(m_presenter.date());
    m_optCashier[0]->setChecked(m_presenter.income());
    m_optCashier[1]->setChecked(!m_presenter.income());

    QLineEdit *matter = m_cmbMatter->lineEdit();
    const QSignalBlocker b6(matter);
    if (m_cmbMatter->currentIndex() != -1)
        m_cmbMatter->setCurrentIndex(-1);
    if (matter->text() != m_presenter.matterText())
        matter->setText(m_presenter.matterText());
    if (m_presenter.matterSelLength() > 0) {
        if (matter->selectionStart() != m_presenter.matterSelStart() ||
            matter->selectedText().size() != m_presenter.matterSelLength())
            matter->setSelection(m_presenter.matterSelStart(), m_presenter.matterSelLength());
    } else if (matter->hasSelectedText() || matter->cursorPosition() != m_presenter.matterCaret()) {
        matter->setCursorPosition(m_presenter.matterCaret());
    }

    if (m_txtMoney->text() != m_presenter.money())
        m_txtMoney->setText(m_presenter.money());
    if (m_txtMemo->text() != m_presenter.memo()) {
        m_txtMemo->setText(m_presenter.memo());
        m_txtMemo->setCursorPosition(m_presenter.memoCaret());
    }
    m_cmdEnter->setEnabled(m_presenter.enterEnabled());
    m_syncing = false;
}

bool InputWindow::matterKeyDown(QKeyEvent *event)
{
    pushMatterState();
    const int code = keyCodeOf(event);
    m_presenter.cmbMatter_KeyDown(code);
    if (code == InputPresenter::KeyReturn) {
        pressEnter(); // the default button answers Enter
        return true;
    }
    return false;
}

void InputWindow::pressEnter()
{
    if (m_cmdEnter->isEnabled())
        m_cmdEnter->click();
}

namespace {
bool isAltE(const QKeyEvent *event)
{
    return event->key() == Qt::Key_E && event->modifiers() == Qt::AltModifier;
}
} // namespace

bool InputWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The fields would swallow Alt+E; the window's own answer comes first.
    if (event->type() == QEvent::KeyPress && isAltE(static_cast<QKeyEvent *>(event))) {
        pressEnter();
        return true;
    }
    if (watched == m_cmbMatter) {
        if (event->type() == QEvent::KeyPress)
            return matterKeyDown(static_cast<QKeyEvent *>(event));
        return false;
    }
    // The Edit items follow the memo however it got the focus.
    if (watched == m_txtMemo && event->type() == QEvent::FocusIn) {
        pushMemoState();
        m_presenter.txtMemo_Click();
        return false;
    }
    if (event->type() != QEvent::MouseButtonRelease || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return false;
    if (watched == m_txtDate) {
        m_presenter.txtDate_Click();
    } else if (watched == m_txtMemo) {
        pushMemoState();
        m_presenter.txtMemo_Click();
    }
    return false;
}

bool InputWindow::event(QEvent *event)
{
    // Inside the entry window Alt+E records, as the button's caption says;
    // elsewhere it opens the Edit menu.
    if (event->type() == QEvent::ShortcutOverride && isAltE(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void InputWindow::keyPressEvent(QKeyEvent *event)
{
    if (isAltE(event)) {
        pressEnter();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && m_presenter.changing()) {
        m_presenter.cancelChange();
        event->accept();
        return;
    }
    // Text fields pass Return on; the record button is the default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        pressEnter();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace purslet
