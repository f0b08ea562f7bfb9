#include "ui/LockIndicators.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <qguiapplication_platform.h>

#if PURSLET_WITH_XKB
#include <xcb/xcb.h>
// Xlib last: its macros clash with Qt's names.
#include <X11/XKBlib.h>
#endif

namespace purslet {

LockIndicators::LockIndicators(QObject *parent) : QObject(parent)
{
#if PURSLET_WITH_XKB
    auto *x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return;
    int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor))
        return;
    m_display = display;
    m_xkbEvent = event;
    m_capsName = XInternAtom(display, "Caps Lock", False);
    m_kanaName = XInternAtom(display, "Kana", False);
    // Indicator changes reach every client that asks, whichever window has the focus.
    XkbSelectEvents(display, XkbUseCoreKbd, XkbIndicatorStateNotifyMask, XkbIndicatorStateNotifyMask);
    QCoreApplication::instance()->installNativeEventFilter(this);
    read();
#endif
}

LockIndicators::~LockIndicators()
{
    if (m_display && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void LockIndicators::read()
{
    m_readQueued = false;
#if PURSLET_WITH_XKB
    auto *display = static_cast<Display *>(m_display);
    if (!display)
        return;
    auto named = [display](unsigned long atom) -> std::optional<bool> {
        Bool on = False;
        if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
            return std::nullopt;
        return on != False;
    };
    const std::optional<bool> caps = named(m_capsName);
    const std::optional<bool> kana = named(m_kanaName);
    if (caps == m_caps && kana == m_kana)
        return;
    m_caps = caps;
    m_kana = kana;
    Q_EMIT changed();
#endif
}

bool LockIndicators::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result)
{
    Q_UNUSED(result);
#if PURSLET_WITH_XKB
    if (m_xkbEvent < 0 || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    // XKB events carry their own type in the second byte.
    if ((event->response_type & 0x7f) != m_xkbEvent || event->pad0 != XkbIndicatorStateNotify)
        return false;
    // Read once the event has been handled: the query goes over the same connection.
    if (!m_readQueued) {
        m_readQueued = true;
        QMetaObject::invokeMethod(this, &LockIndicators::read, Qt::QueuedConnection);
    }
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}

} // namespace purslet
