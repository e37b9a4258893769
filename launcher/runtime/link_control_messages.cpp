// The messages of the subclassed link control: hover, click, keyboard, paint and its end.
#include "runtime/link_control.h"

#include <commctrl.h>

namespace launcher {

LRESULT LinkControl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSEHWHEEL && tooltip_ != nullptr) {
        MSG relayed{control_, message, wParam, lParam, 0, {}};
        ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (message) {
        case WM_MOUSEMOVE:
            if (InHitRectangle(lParam)) {
                ::SetCursor(hand_);
                return 0;
            }
            break;
        case WM_SETCURSOR: {
            POINT cursor{};
            ::GetCursorPos(&cursor);
            ::ScreenToClient(control_, &cursor);
            if (::PtInRect(&hit_, cursor)) {
                ::SetCursor(hand_);
                return TRUE;
            }
            break;
        }
        case WM_LBUTTONDOWN:
            if (InHitRectangle(lParam)) {
                ::SetFocus(control_);
                ::SetCapture(control_);
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (::GetCapture() == control_) {
                ::ReleaseCapture();
                if (InHitRectangle(lParam)) {
                    Navigate();
                }
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == VK_RETURN || wParam == VK_SPACE) {
                Navigate();
                return 0;
            }
            break;
        case WM_GETDLGCODE: {
            // Enter, too, belongs to the link while it has the focus, instead of pressing the
            // dialog's default button.
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending != nullptr && pending->wParam == VK_RETURN &&
                (pending->message == WM_KEYDOWN || pending->message == WM_CHAR)) {
                return DLGC_WANTCHARS | DLGC_WANTMESSAGE;
            }
            return DLGC_WANTCHARS;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
            ::InvalidateRect(control_, nullptr, TRUE);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            if (HDC dc = ::BeginPaint(control_, &paint)) {
                Paint(dc);
                ::EndPaint(control_, &paint);
            }
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SIZE:
            ComputeHitRectangle();
            ::InvalidateRect(control_, nullptr, TRUE);
            return 0;
        case WM_UPDATEUISTATE:
            return 0;
        case WM_SETFONT: {
            const bool linkFontOwned = linkFont_ != nullptr;
            SetNormalFont(reinterpret_cast<HFONT>(wParam), false);
            if (linkFontOwned) {
                MakeLinkFont();
            }
            ComputeHitRectangle();
            if (LOWORD(lParam)) {
                ::InvalidateRect(control_, nullptr, TRUE);
            }
            return 0;
        }
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(normalFont_);
        case WM_DESTROY:
            Release();
            break;
        case WM_NCDESTROY: {
            // Gives the control back its own procedure: this object may outlive it.
            const WNDPROC previous = previous_;
            HWND control = control_;
            ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            ::RemovePropW(control, kInstanceProperty);
            control_ = nullptr;
            return ::CallWindowProcW(previous, control, message, wParam, lParam);
        }
        default:
            break;
    }
    return PassOn(message, wParam, lParam);
}

}  // namespace launcher
