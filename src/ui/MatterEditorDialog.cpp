#include "ui/MatterEditorDialog.h"

#include "presenters/MatterEditorPresenter.h"
#include "platform/Twips.h"
#include "platform/Ui.h"
#include "ui/HintTracker.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace purslet {

MatterEditorDialog::MatterEditorDialog(MatterEditorPresenter &presenter, App &app, QWidget *parent)
    : QDialog(parent), m_presenter(presenter), m_app(app)
{
    setObjectName(ModalWindowName(ModalWindow::frmMatter));
    setWindowTitle(QStringLiteral("事柄の変更"));
    setModal(true);

    auto *frame = new QGroupBox(QStringLiteral("変更内容"), this);
    frame->setMouseTracking(true);
    m_txtMatter = new QLineEdit(frame);
    m_txtMatter->setObjectName(QStringLiteral("txtMatter"));
    m_txtEstimate = new QLineEdit(frame);
    m_txtEstimate->setObjectName(QStringLiteral("txtEstimate"));
    m_txtEstimate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_txtEstimate->setMaxLength(MatterEditorPresenter::EstimateMaxLength);
    m_txtEstimate->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_txtEstimate->setInputMethodHints(Qt::ImhDigitsOnly);
    m_txtEstimate->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('9')) * 17);

    auto *fields = new QGridLayout(frame);
    fields->addWidget(new QLabel(QStringLiteral("事柄名："), frame), 0, 0);
    fields->addWidget(m_txtMatter, 0, 1, 1, 2);
    auto *estimateLabel = new QLabel(QStringLiteral("予定額："), frame);
    estimateLabel->setBuddy(m_txtEstimate);
    fields->addWidget(estimateLabel, 1, 0);
    fields->addWidget(m_txtEstimate, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("円"), frame), 1, 2);
    fields->setColumnStretch(1, 1);

    m_cmdRenewal = new QPushButton(QStringLiteral("更新(&R)"), this);
    m_cmdRenewal->setObjectName(QStringLiteral("cmdRenewal"));
    m_cmdRenewal->setDefault(true);
    m_cmdDelete = new QPushButton(QStringLiteral("削除(&D)"), this);
    m_cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    m_cmdDelete->setAutoDefault(false);
    m_cmdCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ(&C)"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdRenewal);
    buttons->addWidget(m_cmdDelete);
    buttons->addWidget(m_cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    auto *hints = new HintTracker(this, [this](const QString &control) { m_presenter.MouseMove(control); });
    hints->addBackground();
    hints->add(m_txtMatter, QStringLiteral("txtMatter"));
    hints->add(m_txtEstimate, QStringLiteral("txtEstimate"));
    hints->add(m_cmdRenewal, QStringLiteral("cmdRenewal"));
    hints->add(m_cmdDelete, QStringLiteral("cmdDelete"));
    hints->add(m_cmdCancel, QStringLiteral("cmdCancel"));

    connect(m_txtMatter, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_presenter.setMatterText(text); });
    connect(m_txtEstimate, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_presenter.setEstimateText(text);
        m_presenter.txtEstimate_Change();
    });
    connect(m_cmdRenewal, &QPushButton::clicked, this, [this] { m_presenter.cmdRenewal_Click(); });
    connect(m_cmdDelete, &QPushButton::clicked, this, [this] { m_presenter.cmdDelete_Click(); });
    connect(m_cmdCancel, &QPushButton::clicked, this, [this] { m_presenter.cmdCancel_Click(); });

    m_presenter.onChanged = [this] { syncFromPresenter(); };
    m_presenter.onClose = [this] {
        if (!m_closing)
            accept();
    };
    syncFromPresenter();
    m_txtEstimate->setFocus();
    adjustSize();
}

MatterEditorDialog::~MatterEditorDialog()
{
    m_presenter.onChanged = nullptr;
    m_presenter.onClose = nullptr;
}

void MatterEditorDialog::syncFromPresenter()
{
    const QSignalBlocker b0(m_txtMatter), b1(m_txtEstimate);
    if (m_txtMatter->text() != m_presenter.matter())
        m_txtMatter->setText(m_presenter.matter());
    if (m_txtEstimate->text() != m_presenter.estimate()) {
        const int fromEnd = int(m_txtEstimate->text().size()) - m_txtEstimate->cursorPosition();
        m_txtEstimate->setText(m_presenter.estimate());
        m_txtEstimate->setCursorPosition(std::max(0, int(m_presenter.estimate().size()) - fromEnd));
    }
}

void MatterEditorDialog::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        const QScreen *s = screen();
        const double dx = logicalDpiX(), dy = logicalDpiY();
        const QSize screenPx = s ? s->geometry().size() : QSize(1024, 768);
        const QSize windowPx = frameGeometry().size().isValid() ? frameGeometry().size() : size();
        const QPoint twips = m_presenter.Form_Load(int(std::lround(PixelsToTwips(screenPx.width(), dx))),
                                                   int(std::lround(PixelsToTwips(screenPx.height(), dy))),
                                                   int(std::lround(PixelsToTwips(windowPx.width(), dx))),
                                                   int(std::lround(PixelsToTwips(windowPx.height(), dy))));
        // The client area's corner, as done() keeps it: a frame-inclusive move
        // before the window manager has framed us would be placed by the
        // client area instead, and the editor would creep by its title bar.
        setGeometry(QRect(QPoint(TwipsToPixels(twips.x(), dx), TwipsToPixels(twips.y(), dy)), size()));
        m_txtEstimate->setFocus();
    }
    QDialog::showEvent(event);
}

void MatterEditorDialog::done(int result)
{
    // Every way out keeps the position for the next opening.
    m_closing = true;
    const QPoint client = geometry().topLeft();
    m_presenter.Form_Unload(int(std::lround(PixelsToTwips(client.x(), logicalDpiX()))),
                            int(std::lround(PixelsToTwips(client.y(), logicalDpiY()))));
    QDialog::done(result);
    m_closing = false;
}

void MatterEditorDialog::reject()
{
    // Esc and the close box are the cancel button.
    if (!m_closing)
        m_presenter.cmdCancel_Click();
}

} // namespace purslet
