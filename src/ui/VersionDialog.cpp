#include "ui/VersionDialog.h"

#include "platform/Ui.h"
#include "presenters/HelpCommands.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace purslet {

VersionDialog::VersionDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(ModalWindowName(ModalWindow::frmVersion));
    setWindowTitle(QStringLiteral("Pursletのバージョン情報"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgIcon"));
    picture->setPixmap(QPixmap(QStringLiteral(":/purslet.png")));
    picture->setAlignment(Qt::AlignTop);

    auto *product = new QLabel(QStringLiteral("Purslet"), this);
    product->setObjectName(QStringLiteral("lblProduct"));
    QFont productFont(QStringLiteral("ＭＳ Ｐ明朝"));
    productFont.setPointSize(20);
    productFont.setBold(true);
    product->setFont(productFont);

    auto *version = new QLabel(VersionLabel(PURSLET_VERSION_MAJOR, PURSLET_VERSION_MINOR), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    QFont versionFont(QStringLiteral("ＭＳ Ｐゴシック"));
    versionFont.setPointSize(11);
    version->setFont(versionFont);

    auto *rights = new QLabel(QStringLiteral("Copyright (C) Purslet の作者。All rights reserved."), this);
    rights->setObjectName(QStringLiteral("lblRights"));
    auto *legal = new QLabel(QStringLiteral("このプログラムは著作権法および国際条約によって保護されています。\n"
                                            "このプログラムの全部または一部を無断で複製、配布することは、\n"
                                            "法律で禁じられています。"),
                             this);
    legal->setObjectName(QStringLiteral("lblLegal"));
    // Japanese may break between any two characters; the notice breaks only
    // where its lines end, and the window is as wide as the longest.
    legal->setWordWrap(false);

    auto *close = new QPushButton(QStringLiteral("閉じる(&C)"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->addWidget(product);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(rights);
    text->addWidget(legal);
    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

} // namespace purslet
