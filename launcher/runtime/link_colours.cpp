#include "runtime/link_colours.h"

#include <windows.h>

#include <array>
#include <string_view>

#include "support/unique_handle.h"

namespace launcher {
namespace {

// Colour values are short: a value that does not fit in 12 UTF-16 units is not one.
void ReadColour(HKEY key, const wchar_t* name, ColorValue& colour) {
    std::array<wchar_t, 12> text{};
    DWORD type = 0;
    DWORD bytes = sizeof(text);
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                           &bytes) != ERROR_SUCCESS) {
        return;
    }
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || bytes == 0 || bytes % 2 != 0) {
        return;
    }
    const size_t units = bytes / 2;
    if (text[units - 1] != L'\0') {
        return;
    }
    if (const std::optional<ColorValue> parsed =
            ParseColorTriple(std::wstring_view(text.data(), units - 1))) {
        colour = *parsed;
    }
}

}  // namespace

LinkColours ReadLinkColours() {
    LinkColours colours;
    HKEY opened = nullptr;
    // Read access is all that is needed, and all that a locked-down profile may grant.
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Settings", 0,
                        KEY_READ, &opened) != ERROR_SUCCESS) {
        return colours;
    }
    const support::UniqueKey key(opened);
    ReadColour(key.get(), L"Anchor Color", colours.link);
    ReadColour(key.get(), L"Anchor Color Visited", colours.visited);
    return colours;
}

}  // namespace launcher
