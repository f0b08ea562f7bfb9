#pragma once

#include <QDialog>

namespace purslet {

// frmVersion: the program's picture, name, version label and notices.
class VersionDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit VersionDialog(QWidget *parent = nullptr);
};

} // namespace purslet
