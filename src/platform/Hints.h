#pragma once

#include "platform/Ui.h"

#include <QString>

#include <initializer_list>

namespace purslet {

// A control's one-line explanation for the status bar.
struct Hint
{
    const char *control;
    const char16_t *text;
};

// Shows the hint of the control under the pointer; an unknown control shows nothing.
inline void ShowHint(Ui &ui, std::initializer_list<Hint> hints, const QString &control)
{
    for (const Hint &h : hints) {
        if (control == QLatin1String(h.control)) {
            ShowStatus(ui, QString::fromUtf16(h.text));
            return;
        }
    }
}

} // namespace purslet
