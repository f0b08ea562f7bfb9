#include "ui/HelpBrowser.h"

#include <QDesktopServices>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace purslet {

HelpBrowser::HelpBrowser(const QUrl &page, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Purslet ヘルプ"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpPage"));
    // Pages beside each other open here; a web address goes where it can.
    m_browser->setOpenExternalLinks(false);
    m_browser->setOpenLinks(true);
    m_browser->setSource(page);
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this](const QUrl &url) { setWindowTitle(QStringLiteral("Purslet ヘルプ - ") + url.fileName()); });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 560);
}

} // namespace purslet
