#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <optional>

namespace purslet {

// The keyboard's Caps Lock and Kana lock as the windowing system reports
// them: on X11 the XKB indicators, followed whichever window has the focus.
// Elsewhere, or for an indicator the keyboard lacks, nothing is reported.
class LockIndicators final : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit LockIndicators(QObject *parent = nullptr);
    ~LockIndicators() override;

    std::optional<bool> caps() const { return m_caps; }
    std::optional<bool> kana() const { return m_kana; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

Q_SIGNALS:
    void changed();

private:
    void read();

    void *m_display = nullptr;                    // Xlib's Display
    int m_xkbEvent = -1;                          // the first event code of the XKB extension
    unsigned long m_capsName = 0, m_kanaName = 0; // the indicators' atoms
    bool m_readQueued = false;
    std::optional<bool> m_caps;
    std::optional<bool> m_kana;
};

} // namespace purslet
