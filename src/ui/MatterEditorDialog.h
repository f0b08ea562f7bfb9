#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace purslet {

class App;
class MatterEditorPresenter;

// The modal matter editor: the name and estimate of one matter, or its deletion.
class MatterEditorDialog final : public QDialog
{
    Q_OBJECT
public:
    MatterEditorDialog(MatterEditorPresenter &presenter, App &app, QWidget *parent = nullptr);
    ~MatterEditorDialog() override;

    QLineEdit *txtMatter() const { return m_txtMatter; }
    QLineEdit *txtEstimate() const { return m_txtEstimate; }
    QPushButton *cmdRenewal() const { return m_cmdRenewal; }
    QPushButton *cmdDelete() const { return m_cmdDelete; }
    QPushButton *cmdCancel() const { return m_cmdCancel; }

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void syncFromPresenter();

    MatterEditorPresenter &m_presenter;
    App &m_app;
    QLineEdit *m_txtMatter = nullptr;
    QLineEdit *m_txtEstimate = nullptr;
    QPushButton *m_cmdRenewal = nullptr;
    QPushButton *m_cmdDelete = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    bool m_placed = false;
    bool m_closing = false;
};

} // namespace purslet
