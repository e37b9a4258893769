#pragma once
// Turns a static text control into a hyperlink: drawn underlined in the user's link colours,
// opened with the shell on a click, Enter or the blank key, with the target as its tooltip.
#include <windows.h>

#include <memory>
#include <string>

#include "runtime/link_colours.h"
#include "support/unique_handle.h"

namespace launcher {

using UniqueFont = support::UniqueResource<std::remove_pointer_t<HFONT>, &::DeleteObject>;

class LinkControl {
  public:
    LinkControl() = default;
    ~LinkControl();
    LinkControl(const LinkControl&) = delete;
    LinkControl& operator=(const LinkControl&) = delete;

    // Subclasses control (a static text inside a dialog); its text is label and target.
    // normalFont null: the system's icon-title font, owned by this object.
    bool Attach(HWND control, HFONT normalFont);

  private:
    // The window property that leads from the control to this object.
    static constexpr wchar_t kInstanceProperty[] = L"Tessaly.LinkControl";

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT PassOn(UINT message, WPARAM wParam, LPARAM lParam);

    void SetNormalFont(HFONT font, bool owned);
    void MakeLinkFont();
    void ComputeHitRectangle();
    void CreateTooltip();
    void Paint(HDC dc);
    void Navigate();
    UINT TextFormat() const;
    bool InHitRectangle(LPARAM lParam) const;
    void Release();

    HWND control_ = nullptr;
    WNDPROC previous_ = nullptr;
    std::wstring label_;
    std::wstring target_;
    HFONT normalFont_ = nullptr;
    UniqueFont ownedNormalFont_;
    UniqueFont linkFont_;
    RECT hit_{};
    HCURSOR hand_ = nullptr;
    LinkColours colours_;
    bool visited_ = false;
    HWND tooltip_ = nullptr;
};

}  // namespace launcher
