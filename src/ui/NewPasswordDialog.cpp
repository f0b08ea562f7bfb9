#include "ui/NewPasswordDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace purslet {

NewPasswordDialog::NewPasswordDialog(const QString &prompt, const QString &title, QWidget *parent)
    : QDialog(parent), m_password(new QLineEdit(this)), m_repeated(new QLineEdit(this))
{
    setWindowTitle(title);
    auto *text = new QLabel(prompt, this);
    text->setWordWrap(true);

    m_password->setObjectName(QStringLiteral("password"));
    m_repeated->setObjectName(QStringLiteral("repeated"));
    for (QLineEdit *field : {m_password, m_repeated})
        field->setEchoMode(QLineEdit::Password);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("パスワード(&P):"), m_password);
    form->addRow(QStringLiteral("もう一度入力(&R):"), m_repeated);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(420);
    m_password->setFocus();
}

QString NewPasswordDialog::password() const
{
    return m_password->text();
}

QString NewPasswordDialog::repeated() const
{
    return m_repeated->text();
}

} // namespace purslet
