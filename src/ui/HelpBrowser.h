#pragma once

#include <QDialog>

class QTextBrowser;
class QUrl;

namespace purslet {

// A help page shown by the program itself, for a desktop where no browser
// opens it; links to the other help pages open in the same window.
class HelpBrowser final : public QDialog
{
    Q_OBJECT
public:
    explicit HelpBrowser(const QUrl &page, QWidget *parent = nullptr);

    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser = nullptr;
};

} // namespace purslet
