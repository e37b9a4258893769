// Loaded by the window system into every process while a MessageBoxDriver lives: marks each
// message box with the icon it was given, as a window property that the driver can read
// from outside (icon handles mean something only inside the process that loaded them).
#include <windows.h>

namespace {

const wchar_t kIconProperty[] = L"TsMessageBoxIcon";
// Set in the property so that "no icon" differs from "not marked".
constexpr UINT_PTR kMarked = 0x10000;

BOOL CALLBACK FindIconStatic(HWND child, LPARAM found) {
    wchar_t name[16] = {};
    ::GetClassNameW(child, name, 16);
    if (lstrcmpiW(name, L"Static") == 0 &&
        (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

UINT IconFlag(HWND box) {
    HWND icon = nullptr;
    ::EnumChildWindows(box, FindIconStatic, reinterpret_cast<LPARAM>(&icon));
    HICON shown = icon != nullptr ? reinterpret_cast<HICON>(::SendMessageW(icon, STM_GETICON, 0, 0))
                                  : nullptr;
    if (shown == nullptr) {
        return 0;
    }
    const struct {
        LPCWSTR resource;
        UINT flag;
    } known[] = {{IDI_HAND, MB_ICONHAND},
                 {IDI_QUESTION, MB_ICONQUESTION},
                 {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                 {IDI_ASTERISK, MB_ICONASTERISK}};
    for (const auto& k : known) {
        if (::LoadIconW(nullptr, k.resource) == shown) {
            return k.flag;
        }
    }
    return MB_ICONMASK;  // an icon of its own
}

}  // namespace

extern "C" LRESULT CALLBACK MessageBoxHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        wchar_t name[16] = {};
        if (message->message == WM_INITDIALOG && ::GetClassNameW(message->hwnd, name, 16) &&
            lstrcmpW(name, L"#32770") == 0) {
            ::SetPropW(message->hwnd, kIconProperty,
                       reinterpret_cast<HANDLE>(kMarked | IconFlag(message->hwnd)));
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
