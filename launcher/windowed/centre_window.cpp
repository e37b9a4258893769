#include "windowed/centre_window.h"

namespace launcher {
namespace {

// One axis: centred on the reference span, then pushed back inside the work area.
LONG CentredStart(LONG referenceStart, LONG referenceEnd, LONG size, LONG areaStart, LONG areaEnd) {
    LONG start = referenceStart + (referenceEnd - referenceStart) / 2 - size / 2;
    if (start + size > areaEnd) {
        start = areaEnd - size;
    }
    if (start < areaStart) {
        start = areaStart;
    }
    return start;
}

}  // namespace

void CentreWindow(HWND window) {
    HWND owner = ::GetWindow(window, GW_OWNER);
    if (owner != nullptr && (!::IsWindowVisible(owner) || ::IsIconic(owner))) {
        owner = nullptr;
    }
    HMONITOR monitor =
        ::MonitorFromWindow(owner != nullptr ? owner : window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info)) {
        return;
    }
    const RECT area = info.rcWork;
    RECT reference = area;
    if (owner != nullptr) {
        ::GetWindowRect(owner, &reference);
    }
    RECT own{};
    ::GetWindowRect(window, &own);
    const LONG left =
        CentredStart(reference.left, reference.right, own.right - own.left, area.left, area.right);
    const LONG top =
        CentredStart(reference.top, reference.bottom, own.bottom - own.top, area.top, area.bottom);
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace launcher
