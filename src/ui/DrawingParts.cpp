#include "ui/DrawingParts.h"

#include <QFile>

#include <dlfcn.h>

namespace purslet {

namespace {
const DrawingParts *g_parts = nullptr;

// The folder of the shared object holding this code: the desktop part's,
// where the drawing part is built and installed beside it.
QString ownFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&LoadDrawingParts), &info) == 0 || !info.dli_fname)
        return QString();
    const QString self = QFile::decodeName(info.dli_fname);
    return self.left(self.lastIndexOf(QLatin1Char('/')));
}
} // namespace

void UseDrawingParts(const DrawingParts *parts)
{
    g_parts = parts;
}

const DrawingParts *LoadDrawingParts(QString *error)
{
    if (g_parts)
        return g_parts;
    const QString path = ownFolder() + QStringLiteral("/" PURSLET_DRAWING_MODULE);
    void *handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    const char *reason = nullptr;
    if (!handle) {
        reason = dlerror();
    } else if (auto entry = reinterpret_cast<const DrawingParts *(*)()>(dlsym(handle, "PursletDrawingParts"))) {
        g_parts = entry();
        return g_parts;
    } else {
        reason = dlerror();
    }
    if (error)
        *error = QString::fromLocal8Bit(reason ? reason : "?");
    return nullptr;
}

} // namespace purslet
