#include "runtime/link_colours.h"

#include <windows.h>

#include <string_view>

#include "support/registry_value.h"
#include "support/unique_handle.h"

namespace launcher {
namespace {

// Colour values are short: a value that does not fit in 12 UTF-16 units with its terminator
// is not one, nor is one without a terminator.
void ReadColour(HKEY key, const wchar_t* name, ColorValue& colour) {
    constexpr std::size_t kMaxBytes = 12 * sizeof(wchar_t);
    const std::optional<support::RegistryValue> value = support::ReadRegistryValue(key, name);
    if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) {
        return;
    }
    const std::vector<BYTE>& bytes = value->data;
    if (bytes.empty() || bytes.size() > kMaxBytes || bytes.size() % 2 != 0 ||
        bytes[bytes.size() - 1] != 0 || bytes[bytes.size() - 2] != 0) {
        return;
    }
    const std::wstring text = support::CharactersOf(bytes);
    if (const std::optional<ColorValue> parsed =
            ParseColorTriple(std::wstring_view(text).substr(0, text.size() - 1))) {
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
