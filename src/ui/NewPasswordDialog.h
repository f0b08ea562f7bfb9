#pragma once

#include <QDialog>

class QLineEdit;

namespace purslet {

// The save's password prompt: the password and, since both are masked, the
// same password again.
class NewPasswordDialog final : public QDialog
{
    Q_OBJECT
public:
    NewPasswordDialog(const QString &prompt, const QString &title, QWidget *parent);

    QString password() const;
    QString repeated() const;

private:
    QLineEdit *m_password;
    QLineEdit *m_repeated;
};

} // namespace purslet
