#pragma once

class QMdiSubWindow;

namespace purslet {

// The width at which a child window's title bar shows its whole title.
int SubWindowWidthForTitle(const QMdiSubWindow *window);

} // namespace purslet
