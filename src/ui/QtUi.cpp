#include "ui/QtUi.h"

#include "ui/HelpBrowser.h"
#include "ui/NewPasswordDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace purslet {

namespace {
QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The title bar holds the title beside an icon and up to three buttons; Qt
// sizes a message box for its text and allows the title too little room.
void widenForTitle(QMessageBox &box, const QString &title)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(title) + 4 * fm.height() + 60;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

// There is no Cancel button, yet Esc and the close box are no answer either:
// QMessageBox would click No for them, and No may throw a book away.
class QuestionBox final : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel)) {
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override { QDialog::closeEvent(event); }
};
} // namespace

MsgAnswer QtUi::messageBox(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons,
                           MsgAnswer defaultAnswer)
{
    QuestionBox box(qtIcon(icon), title, text, QMessageBox::NoButton, m_parent);
    // Texts use CR LF line ends; Qt wants LF alone.
    box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    if (buttons == MsgButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        widenForTitle(box, title);
        box.exec();
        return MsgAnswer::Ok;
    }
    QPushButton *yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("Yes"));
    no->setObjectName(QStringLiteral("No"));
    box.setDefaultButton(defaultAnswer == MsgAnswer::No ? no : yes);
    widenForTitle(box, title);
    box.exec();
    if (box.clickedButton() == yes)
        return MsgAnswer::Yes;
    return box.clickedButton() == no ? MsgAnswer::No : MsgAnswer::Cancel;
}

QString QtUi::inputBox(const QString &prompt, const QString &title, const QString &defaultText, bool masked)
{
    QInputDialog dialog(m_parent);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setTextEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

NewPassword QtUi::newPasswordBox(const QString &prompt, const QString &title)
{
    NewPasswordDialog dialog(prompt, title, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return NewPassword{QString(), QString(), false, true};
    return NewPassword{dialog.password(), dialog.repeated()};
}

void QtUi::showStatus(const QString &text)
{
    if (m_statusShown && text == m_status)
        return;
    m_status = text;
    m_statusShown = true;
    if (m_statusSink)
        m_statusSink(text);
}

QString QtUi::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &p : patterns)
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*"); // every file, with or without a dot
        // Qt takes the patterns from the last parentheses of the description.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.endsWith(QLatin1Char(')')))
            description = description.left(open).trimmed();
        result << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result.join(QStringLiteral(";;"));
}

QString QtUi::fileDialog(const FileDialogRequest &request, bool save)
{
    QFileDialog dialog(m_parent, request.title);
    dialog.setNameFilter(qtFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Open accepts a new name too, after the question below.
    dialog.setFileMode(save || request.askCreate ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !request.askOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // A bare name typed under the encrypted kind's filter is an encrypted
    // book; under any other the request's suffix applies, as it always did.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request](const QString &filter) {
        dialog.setDefaultSuffix(filter.endsWith(QLatin1String("(*.pslx)")) ? QStringLiteral("pslx")
                                                                            : request.defaultSuffix);
    });
    if (!request.initialPath.isEmpty()) {
        const QFileInfo info(request.initialPath);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty())
            return QString();
        const QString path = files.first();
        if (save || !request.askCreate || QFileInfo::exists(path))
            return path;
        const MsgAnswer answer =
            messageBox(QFileInfo(path).fileName() + QStringLiteral("\r\nこのファイルは存在しません。作成しますか？"),
                       request.title, MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes);
        if (answer == MsgAnswer::Yes)
            return path;
    }
}

QString QtUi::openFileDialog(const FileDialogRequest &request)
{
    return fileDialog(request, false);
}

QString QtUi::saveFileDialog(const FileDialogRequest &request)
{
    return fileDialog(request, true);
}

QString QtUi::clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void QtUi::setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

void QtUi::beep()
{
    QApplication::beep();
}

void QtUi::openUrl(const QString &url)
{
    const QUrl target(url);
    if (m_launch ? m_launch(target) : QDesktopServices::openUrl(target))
        return;
    // No browser to open it: a help page the program shows itself, anything
    // else is explained.
    if (!target.isLocalFile()) {
        messageBox(QStringLiteral("ブラウザを開けません。\r\n") + url, QStringLiteral("ヘルプエラー"), MsgIcon::Critical,
                   MsgButtons::Ok, MsgAnswer::Ok);
        return;
    }
    if (!QFileInfo::exists(target.toLocalFile())) {
        messageBox(QStringLiteral("ヘルプファイルが見つかりません。\r\n") + target.toLocalFile(),
                   QStringLiteral("ヘルプエラー"), MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok);
        return;
    }
    auto *help = new HelpBrowser(target, m_parent);
    help->show();
}

bool QtUi::showModal(ModalWindow window)
{
    const auto &show = m_modals[size_t(window)];
    if (!show)
        return Ui::showModal(window);
    show();
    return true;
}

void QtUi::endProgram()
{
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace purslet
