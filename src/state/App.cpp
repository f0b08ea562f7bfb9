#include "state/App.h"

namespace purslet {

void App::setModified(bool modified)
{
    if (doc.modified == modified)
        return;
    doc.modified = modified;
    if (doc.onChanged)
        doc.onChanged();
}

void App::setWindowTitle(const QString &title)
{
    if (doc.windowTitle == title)
        return;
    doc.windowTitle = title;
    if (doc.onChanged)
        doc.onChanged();
}

} // namespace purslet
