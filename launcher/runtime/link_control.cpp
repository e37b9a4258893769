#include "runtime/link_control.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cwctype>

namespace launcher {
namespace {

HINSTANCE ModuleInstance() {
    return ::GetModuleHandleW(nullptr);
}

bool IsStaticControl(HWND window) {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return ::_wcsicmp(name, L"static") == 0;
}

// Tool records grew with common controls 6; older ones refuse the longer record.
UINT ToolRecordSize() {
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwMajorVersion = 6;
    version.dwMinorVersion = 0;
    version.wServicePackMajor = 0;
    ULONGLONG mask = 0;
    mask = ::VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    mask = ::VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    const bool atLeast6 = ::VerifyVersionInfoW(
        &version, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, mask);
    return atLeast6 ? TTTOOLINFOW_V3_SIZE : TTTOOLINFOW_V2_SIZE;
}

}  // namespace

LinkControl::~LinkControl() {
    // Normally the control is gone first; if not, it must not call into a dead object.
    if (control_ != nullptr && ::IsWindow(control_)) {
        ::SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        ::RemovePropW(control_, kInstanceProperty);
    }
    Release();
}

bool LinkControl::Attach(HWND control, HFONT normalFont) {
    if (control == nullptr || control_ != nullptr) {
        return false;
    }
    control_ = control;
    if (IsStaticControl(control)) {
        const LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
        if (!(style & SS_NOTIFY)) {
            ::SetWindowLongPtrW(control, GWL_STYLE, style | SS_NOTIFY);
        }
    }
    hand_ = ::LoadCursorW(nullptr, IDC_HAND);
    if (normalFont != nullptr) {
        SetNormalFont(normalFont, false);
    } else {
        LOGFONTW iconTitle{};
        ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0);
        SetNormalFont(::CreateFontIndirectW(&iconTitle), true);
    }
    MakeLinkFont();
    CreateTooltip();

    const int length = ::GetWindowTextLengthW(control);
    label_.assign(static_cast<size_t>(length) + 1, L'\0');
    label_.resize(static_cast<size_t>(::GetWindowTextW(control, label_.data(), length + 1)));
    target_ = label_;
    ComputeHitRectangle();

    if (tooltip_ != nullptr) {
        ::SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
        TTTOOLINFOW tool{};
        tool.cbSize = ToolRecordSize();
        tool.hwnd = control;
        tool.uId = 1;
        tool.rect = hit_;
        tool.hinst = ModuleInstance();
        tool.lpszText = target_.data();
        ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    colours_ = ReadLinkColours();

    ::SetPropW(control, kInstanceProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    return previous_ != nullptr;
}

void LinkControl::SetNormalFont(HFONT font, bool owned) {
    normalFont_ = font;
    ownedNormalFont_.reset(owned ? font : nullptr);
}

void LinkControl::MakeLinkFont() {
    LOGFONTW description{};
    HGDIOBJ base = normalFont_ != nullptr ? normalFont_ : ::GetStockObject(SYSTEM_FONT);
    ::GetObjectW(base, sizeof(description), &description);
    description.lfUnderline = TRUE;
    linkFont_.reset(::CreateFontIndirectW(&description));
}

void LinkControl::CreateTooltip() {
    // The tooltip class lives in the common controls; without it the link works untipped.
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    tooltip_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, control_, nullptr, ModuleInstance(),
                                 nullptr);
}

UINT LinkControl::TextFormat() const {
    const LONG_PTR style = ::GetWindowLongPtrW(control_, GWL_STYLE);
    UINT format = DT_WORDBREAK;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format |= DT_CENTER;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT;
            break;
        default:
            break;
    }
    if (style & SS_NOPREFIX) {
        format |= DT_NOPREFIX;
    }
    return format;
}

void LinkControl::ComputeHitRectangle() {
    RECT client{};
    ::GetClientRect(control_, &client);
    RECT measured = client;
    if (HDC dc = ::GetDC(control_)) {
        HGDIOBJ previousFont = ::SelectObject(dc, linkFont_.get());
        ::DrawTextW(dc, label_.c_str(), static_cast<int>(label_.size()), &measured,
                    TextFormat() | DT_CALCRECT);
        ::SelectObject(dc, previousFont);
        ::ReleaseDC(control_, dc);
    }
    // The measured text starts at the left edge; a centred or right-aligned static moves it.
    const LONG free = (client.right - client.left) - (measured.right - measured.left);
    const LONG style = static_cast<LONG>(::GetWindowLongPtrW(control_, GWL_STYLE));
    LONG shift = 0;
    if ((style & SS_TYPEMASK) == SS_CENTER) {
        shift = free / 2;
    } else if ((style & SS_TYPEMASK) == SS_RIGHT) {
        shift = free;
    }
    ::OffsetRect(&measured, shift, 0);
    hit_ = measured;
}

bool LinkControl::InHitRectangle(LPARAM lParam) const {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return ::PtInRect(&hit_, point) != FALSE;
}

void LinkControl::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(control_, &client);
    auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(control_), WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(control_)));
    ::FillRect(dc, &client, brush != nullptr ? brush : ::GetSysColorBrush(COLOR_BTNFACE));

    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF colour = visited_ ? colours_.visited : colours_.link;
    if (!::IsWindowEnabled(control_)) {
        colour = ::GetSysColor(COLOR_GRAYTEXT);
    }
    const COLORREF previousColour = ::SetTextColor(dc, colour);
    HGDIOBJ previousFont = ::SelectObject(dc, linkFont_.get());
    RECT text = hit_;
    ::DrawTextW(dc, label_.c_str(), static_cast<int>(label_.size()), &text, TextFormat());
    if (::GetFocus() == control_) {
        ::DrawFocusRect(dc, &hit_);
    }
    ::SelectObject(dc, previousFont);
    ::SetTextColor(dc, previousColour);
    ::SetBkMode(dc, previousMode);
}

void LinkControl::Navigate() {
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", target_.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // A link that cannot be opened stays as it is; nothing is reported.
    if (result > 32) {
        visited_ = true;
        ::InvalidateRect(control_, nullptr, TRUE);
    }
}

void LinkControl::Release() {
    if (tooltip_ != nullptr) {
        ::DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
    linkFont_.reset();
    ownedNormalFont_.reset();
    normalFont_ = nullptr;
}

LRESULT LinkControl::PassOn(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(previous_, control_, message, wParam, lParam);
}

LRESULT CALLBACK LinkControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* link = static_cast<LinkControl*>(::GetPropW(window, kInstanceProperty));
    if (link == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return link->Handle(message, wParam, lParam);
}

}  // namespace launcher
