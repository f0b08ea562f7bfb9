#pragma once

#include "platform/Ui.h"

#include <QString>

#include <span>

namespace purslet {

// A control's one-line explanation for the status bar.
struct Hint
{
    const char *control;
    const char16_t *text;
};

// Shows the hint of the control under the pointer; an unknown control shows
// nothing. Each window's presenter keeps one table, "Form" (the bare
// background) with the empty text that clears the status bar.
inline void ShowHint(Ui &ui, std::span<const Hint> hints, const QString &control)
{
    for (const Hint &h : hints) {
        if (control == QLatin1String(h.control)) {
            ShowStatus(ui, QString::fromUtf16(h.text));
            return;
        }
    }
}

} // namespace purslet
