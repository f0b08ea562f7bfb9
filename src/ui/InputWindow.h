#pragma once

#include <QWidget>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace purslet {

class App;
class InputPresenter;

// The entry window: forwards the controls' events to the presenter and
// mirrors its state back into the controls.
class InputWindow final : public QWidget
{
    Q_OBJECT
public:
    InputWindow(InputPresenter &presenter, App &app, QWidget *parent = nullptr);
    ~InputWindow() override;

    QLineEdit *txtDate() const { return m_txtDate; }
    QRadioButton *optCashier(int index) const { return m_optCashier[index]; }
    QComboBox *cmbMatter() const { return m_cmbMatter; }
    QLineEdit *txtMoney() const { return m_txtMoney; }
    QLineEdit *txtMemo() const { return m_txtMemo; }
    QPushButton *cmdEnter() const { return m_cmdEnter; }

    // The matter and amount boxes copy, cut and paste in themselves.
    bool keepsClipboardKeys(const QWidget *focus) const;

    // Mirrors the presenter into the controls.
    void syncFromPresenter();
    // The record button's caption, the title and the focus for change mode.
    void showChangeMode();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void pushMatterState();
    void pushMemoState();
    bool matterKeyDown(QKeyEvent *event);
    void pressEnter();

    InputPresenter &m_presenter;
    App &m_app;
    QLineEdit *m_txtDate = nullptr;
    QFrame *m_fraCashier = nullptr;
    QRadioButton *m_optCashier[2] = {nullptr, nullptr};
    QComboBox *m_cmbMatter = nullptr;
    QLineEdit *m_txtMoney = nullptr;
    QLineEdit *m_txtMemo = nullptr;
    QPushButton *m_cmdEnter = nullptr;
    bool m_syncing = false;
    bool m_listChanging = false;
};

} // namespace purslet
