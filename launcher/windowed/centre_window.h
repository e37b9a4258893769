#pragma once
// Places a top-level dialog in the middle of its owner or of its monitor's work area.
#include <windows.h>

namespace launcher {

// Over a visible, not minimised owner, else over the work area of the nearest monitor; kept
// inside that work area. Neither resizes nor activates the window.
void CentreWindow(HWND window);

}  // namespace launcher
