#include "security/permission_entries.h"

#include "decimal_text.h"
#include "support/split_fields.h"

namespace pubdirs {
namespace {

wchar_t AsciiLower(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
}

bool EqualsAsciiNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::wstring> SplitPermissionText(std::wstring_view text) {
    return support::SplitFields(text, L"|");
}

WellKnownTrustee RecognizeTrustee(std::wstring_view name) {
    if (EqualsAsciiNoCase(name, L"Everyone")) {
        return WellKnownTrustee::Everyone;
    }
    if (EqualsAsciiNoCase(name, L"Administrators")) {
        return WellKnownTrustee::Administrators;
    }
    return WellKnownTrustee::None;
}

std::optional<PermissionEntry> ParsePermissionEntry(std::wstring_view entry) {
    const size_t slash = entry.find(L'/');
    if (slash == std::wstring_view::npos || slash == 0) {
        return std::nullopt;
    }
    // Parts after a second "/" are ignored; "name/" has an empty mask, which reads as 0.
    std::wstring_view rest = entry.substr(slash + 1);
    rest = rest.substr(0, rest.find(L'/'));
    PermissionEntry parsed;
    parsed.trustee = std::wstring(entry.substr(0, slash));
    // The mask is read like every number of the table; "-1" gives all bits.
    parsed.mask = static_cast<std::uint32_t>(ParseDecimal(rest));
    parsed.wellKnown = RecognizeTrustee(parsed.trustee);
    return parsed;
}

}  // namespace pubdirs
