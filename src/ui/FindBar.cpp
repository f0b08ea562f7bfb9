#include "ui/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

namespace purslet {

FindBar::FindBar(App &app, QWidget *parent) : QWidget(parent), m_presenter(app)
{
    setObjectName(QStringLiteral("FindBar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->setSpacing(4);
    auto *label = new QLabel(QStringLiteral("検索(&F):"), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("txtFind"));
    m_text->setAccessibleName(QStringLiteral("検索"));
    m_text->setPlaceholderText(QStringLiteral("事柄・メモ・金額"));
    label->setBuddy(m_text);
    const auto button = [this](const QString &name, const QString &text, const QString &tip) {
        auto *b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    QToolButton *previous =
        button(QStringLiteral("cmdFindPrevious"), QStringLiteral("▲"), QStringLiteral("前を検索 (Shift+F3)"));
    QToolButton *next = button(QStringLiteral("cmdFindNext"), QStringLiteral("▼"), QStringLiteral("次を検索 (F3)"));
    QToolButton *close = button(QStringLiteral("cmdFindClose"), QStringLiteral("×"), QStringLiteral("閉じる (Esc)"));
    layout->addWidget(label);
    layout->addWidget(m_text, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addSpacing(8);
    layout->addWidget(close);

    connect(m_text, &QLineEdit::returnPressed, this, [this] { step(+1); });
    connect(previous, &QToolButton::clicked, this, [this] { step(-1); });
    connect(next, &QToolButton::clicked, this, [this] { step(+1); });
    connect(close, &QToolButton::clicked, this, [this] {
        if (onClosed)
            onClosed();
    });
    // F3 goes on from the cash book too, wherever the focus is in the book window.
    new QShortcut(
        QKeySequence(Qt::Key_F3), parent, [this] { step(+1); }, Qt::WidgetWithChildrenShortcut);
    new QShortcut(
        QKeySequence(Qt::SHIFT | Qt::Key_F3), parent, [this] { step(-1); }, Qt::WidgetWithChildrenShortcut);
    hide();
}

void FindBar::open()
{
    show();
    m_text->selectAll();
    m_text->setFocus(Qt::ShortcutFocusReason);
}

void FindBar::step(int direction)
{
    if (m_text->text().isEmpty()) {
        open();
        return;
    }
    show();
    const int row = m_presenter.step(m_text->text(), currentRow ? currentRow() : 0, direction);
    if (row > 0 && onFound)
        onFound(row);
}

void FindBar::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (onShownOrHidden)
        onShownOrHidden();
}

void FindBar::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (onShownOrHidden)
        onShownOrHidden();
}

void FindBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (onClosed)
            onClosed();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace purslet
