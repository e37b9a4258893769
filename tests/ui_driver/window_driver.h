#pragma once
// Drives the windows of a program under test from outside its message loop: another thread
// of the same process or another process. Finds dialogs, reads and presses their controls,
// types keys, walks tree views and counts what a process holds of the window system.
#include <windows.h>
//
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui_driver {

using namespace std::chrono_literals;

// Polls condition until it holds or timeout has passed; answers the last result. The
// defaults are generous: a loaded machine can take seconds to bring up a first window.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 30s);

// A visible top-level dialog (class #32770) with exactly this title, of the given process or
// (0) of any.
HWND WaitForDialog(const std::wstring& title, std::chrono::milliseconds timeout = 30s,
                   DWORD processId = 0);
// A visible dialog owned by owner, such as a system picker the owner has opened.
HWND WaitForOwnedDialog(HWND owner, std::chrono::milliseconds timeout = 30s);
bool WaitForWindowGone(HWND window, std::chrono::milliseconds timeout = 30s);

std::wstring WindowText(HWND window);
std::wstring ControlText(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);
// The first descendant of this window class (compared without case), or null.
HWND FindChildByClass(HWND parent, const std::wstring& windowClass);

// Posted, not sent: a button that opens a modal window must not hold the driver up.
void PressButton(HWND dialog, int id);
// A key press as the keyboard would deliver it (down, up) to window's message loop.
void PressKey(HWND window, UINT virtualKey);
// What the close box in the caption does.
void CloseWithCaptionButton(HWND window);
// Waits until the thread of edit has handled everything posted to its windows so far, such as
// a PressKey: a change of the edit's text limit, posted behind them, is read back. The limit
// is restored afterwards.
bool AwaitPostedHandled(HWND edit);

// The ways a user ends a dialog without its OK: Abbrechen, the close box and Escape.
struct DeclineWay {
    const char* way;
    void (*end)(HWND dialog);
};
extern const DeclineWay kDeclineWays[3];
// A left click at client coordinates of window: button down at from, up at to.
void Drag(HWND window, POINT from, POINT to);

// Tree views, also those of other processes.
std::wstring TreeItemText(HWND tree, HTREEITEM item);
// The children of parent (TVI_ROOT for the top level), expanded first.
std::vector<HTREEITEM> TreeChildren(HWND tree, HTREEITEM parent);
// The first child of parent whose text satisfies accept.
HTREEITEM FindTreeChild(HWND tree, HTREEITEM parent,
                        const std::function<bool(const std::wstring&)>& accept);
void SelectTreeItem(HWND tree, HTREEITEM item);

// Objects of the window system that this process holds. Where the system does not report
// them (GetGuiResources answers 0 under wine), GDI objects are counted in the process's
// handle table and USER objects as the process's windows.
struct GuiObjectCounts {
    DWORD gdi = 0;
    DWORD user = 0;
    bool operator==(const GuiObjectCounts&) const = default;
};
GuiObjectCounts CountGuiObjects();

// The client area of a window of this process as it paints itself into a memory bitmap
// (WM_PRINTCLIENT); each pixel as a colour value, red in the low byte.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> values;  // row by row, top row first
    size_t Count(COLORREF colour) const;
};
Pixels PrintClient(HWND window);

}  // namespace ui_driver
