#pragma once

#include "platform/Ui.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <array>
#include <functional>

namespace purslet {

// The Ui of the desktop: Qt message boxes, prompts and file dialogs, the
// status bar's first panel, the clipboard, the beep, the browser, and the
// modal windows by name.
class QtUi : public Ui
{
public:
    QtUi() = default;

    // Dialogs are centred on this window.
    void setParentWidget(QWidget *parent) { m_parent = parent; }
    // Panel 1 of the status bar.
    void setStatusSink(std::function<void(const QString &)> sink) { m_statusSink = std::move(sink); }
    // What opens a URL in the user's browser; tests stand in a desktop without one.
    void setBrowserLauncher(std::function<bool(const QUrl &)> launch) { m_launch = std::move(launch); }
    void registerModal(ModalWindow window, std::function<void()> show) { m_modals[size_t(window)] = std::move(show); }
    bool hasModal(ModalWindow window) const { return bool(m_modals[size_t(window)]); }

    MsgAnswer messageBox(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons,
                         MsgAnswer defaultAnswer) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText, bool masked) override;
    NewPassword newPasswordBox(const QString &prompt, const QString &title) override;
    void showStatus(const QString &text) override;
    QString openFileDialog(const FileDialogRequest &request) override;
    QString saveFileDialog(const FileDialogRequest &request) override;
    QString clipboardText() override;
    void setClipboardText(const QString &text) override;
    void beep() override;
    void openUrl(const QString &url) override;
    // A window nothing registered is reported as the default does.
    bool showModal(ModalWindow window) override;
    // Ends the process at once: no handler runs, nothing is saved.
    void endProgram() override;

    // "説明|*.psl|説明|*.csv" as Qt's "説明 (*.psl);;説明 (*.csv)".
    static QString qtFilter(const QString &filter);
    const QString &statusText() const { return m_status; }

protected:
    QWidget *parentWidget() const { return m_parent; }

private:
    QString fileDialog(const FileDialogRequest &request, bool save);

    QPointer<QWidget> m_parent;
    std::function<void(const QString &)> m_statusSink;
    std::array<std::function<void()>, kModalWindowCount> m_modals;
    QString m_status;
    bool m_statusShown = false;
    std::function<bool(const QUrl &)> m_launch;
};

} // namespace purslet
