#pragma once

#include <QDialog>
#include <QHash>

class QLineEdit;
class QPushButton;

namespace purslet {

class App;
class MatterEditorPresenter;

// The modal matter editor: the estimate of one matter, or its deletion.
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
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void syncFromPresenter();
    void hinted(QWidget *widget, const QString &controlName);

    MatterEditorPresenter &m_presenter;
    App &m_app;
    QLineEdit *m_txtMatter = nullptr;
    QLineEdit *m_txtEstimate = nullptr;
    QPushButton *m_cmdRenewal = nullptr;
    QPushButton *m_cmdDelete = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    QHash<QObject *, QString> m_hints;
    bool m_placed = false;
    bool m_closing = false;
};

} // namespace purslet
