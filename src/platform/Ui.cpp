#include "platform/Ui.h"

#include "platform/ErrorDialogs.h"

namespace purslet {

NewPassword Ui::newPasswordBox(const QString &prompt, const QString &title)
{
    const QString answer = inputBox(prompt, title, QString(), true);
    // A one-line prompt's Cancel gives the empty text.
    return NewPassword{answer, answer, false, answer.isEmpty()};
}

void Ui::warning(const QString &text, const QString &title)
{
    messageBox(text, title, MsgIcon::Warning, MsgButtons::Ok, MsgAnswer::Ok);
}

QString ModalWindowName(ModalWindow window)
{
    switch (window) {
    case ModalWindow::frmMatter:
        return QStringLiteral("frmMatter");
    case ModalWindow::frmVersion:
        return QStringLiteral("frmVersion");
    case ModalWindow::frmChart:
        return QStringLiteral("frmChart");
    }
    return QString();
}

bool Ui::showModal(ModalWindow window)
{
    warning(QStringLiteral("ウインドウ %1 を表示できません。").arg(ModalWindowName(window)), QStringLiteral("Purslet"));
    return false;
}

bool Ui::skipBadEntry(const RuntimeError &error, const QString &entry)
{
    Q_UNUSED(entry);
    return SystemErrorDialog(*this, error);
}

} // namespace purslet
