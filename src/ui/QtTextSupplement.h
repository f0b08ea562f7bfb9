#pragma once

#include <QTranslator>

namespace purslet {

// Japanese for the texts of Qt's print and file dialogs that Qt's own
// Japanese catalog leaves in English. Installed after that catalog, it is
// asked first and answers only for the texts it knows.
class QtTextSupplement final : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

} // namespace purslet
