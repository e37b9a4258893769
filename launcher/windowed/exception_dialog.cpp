#include "windowed/exception_dialog.h"

#include <windows.h>

#include <array>
#include <string>

#include "windowed/centre_window.h"

namespace launcher {
namespace {

constexpr int kTemplate = 231;
constexpr int kTextEdit = 208;

// How a control follows the dialog's size: moved and grown by the change of the client area.
struct Anchor {
    int id;
    bool moveX, moveY, growX, growY;
};
constexpr std::array<Anchor, 7> kAnchors{{
    {IDOK, true, true, false, false},
    {IDCANCEL, true, true, false, false},
    {209, false, false, true, true},  // group box
    {210, false, false, true, false},
    {kTextEdit, false, false, true, true},
    {211, false, true, true, false},
    {212, false, true, true, false},
}};

struct DialogState {
    std::wstring text;  // with "\r\n", as the edit shows line breaks
    SIZE minimum{};     // the template's window size
    SIZE client{};      // the template's client size
    std::array<RECT, kAnchors.size()> places{};
};

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Remember(HWND dialog, DialogState& state) {
    RECT window{};
    RECT client{};
    ::GetWindowRect(dialog, &window);
    ::GetClientRect(dialog, &client);
    state.minimum = {window.right - window.left, window.bottom - window.top};
    state.client = {client.right, client.bottom};
    for (std::size_t i = 0; i < kAnchors.size(); ++i) {
        state.places[i] = ClientRectOf(dialog, ::GetDlgItem(dialog, kAnchors[i].id));
    }
}

void Arrange(HWND dialog, const DialogState& state, int width, int height) {
    const int dx = width - state.client.cx;
    const int dy = height - state.client.cy;
    for (std::size_t i = 0; i < kAnchors.size(); ++i) {
        const Anchor& anchor = kAnchors[i];
        const RECT& place = state.places[i];
        ::SetWindowPos(
            ::GetDlgItem(dialog, anchor.id), nullptr, place.left + (anchor.moveX ? dx : 0),
            place.top + (anchor.moveY ? dy : 0), place.right - place.left + (anchor.growX ? dx : 0),
            place.bottom - place.top + (anchor.growY ? dy : 0), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::InvalidateRect(dialog, nullptr, TRUE);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            state = reinterpret_cast<DialogState*>(lParam);
            ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            ::SetDlgItemTextW(dialog, kTextEdit, state->text.c_str());
            Remember(dialog, *state);
            CentreWindow(dialog);
            ::SetForegroundWindow(dialog);
            return TRUE;
        case WM_GETMINMAXINFO:
            if (state != nullptr) {
                auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
                limits->ptMinTrackSize = {state->minimum.cx, state->minimum.cy};
            }
            return TRUE;
        case WM_SIZE:
            if (state != nullptr && wParam != SIZE_MINIMIZED) {
                Arrange(dialog, *state, LOWORD(lParam), HIWORD(lParam));
            }
            return TRUE;
        case WM_CLOSE:
            // Closing the box loses nothing: only the Stop button ends the application.
            ::EndDialog(dialog, IDOK);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                ::EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

bool AskStopAfterException(std::wstring_view text) {
    DialogState state;
    for (const wchar_t c : text) {
        if (c == L'\n' && (state.text.empty() || state.text.back() != L'\r')) {
            state.text += L'\r';
        }
        state.text += c;
    }
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kTemplate), nullptr,
                             &DialogProc, reinterpret_cast<LPARAM>(&state)) == IDCANCEL;
}

}  // namespace launcher
