#include "presenters/HelpCommands.h"

#include "platform/ProgramFolder.h"
#include "platform/Ui.h"

#include <QUrl>

namespace purslet {

QString HelpFileUrl(const QString &page)
{
    // Where the program was installed or built, not under PURSLET_HOME: the
    // settings folder only holds the user's files.
    return QUrl::fromLocalFile(CurrentProgramPlaces().help + QLatin1Char('/') + page).toString();
}

void helpIndex_Click(Ui &ui)
{
    ui.openUrl(HelpFileUrl(QStringLiteral("index.html")));
}

void helpTopics_Click(Ui &ui)
{
    ui.openUrl(HelpFileUrl(QStringLiteral("topic.html")));
}

void helpSupport_Click(Ui &ui)
{
    ui.openUrl(kSupportAddress);
}

void helpVersion_Click(Ui &ui)
{
    ui.beep();
    ui.showModal(ModalWindow::frmVersion);
}

QString VersionLabel(int major, int minor)
{
    return QStringLiteral("Ver.%1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0'));
}

} // namespace purslet
