#pragma once
// The permissions text of a shared folder: entries "trustee/mask" separated by "|".
// No system calls here, so the rules are tested natively as well.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pubdirs {

// Names that packages write in English and that stand for a well-known account whose
// local name differs from language to language.
enum class WellKnownTrustee { None, Everyone, Administrators };

struct PermissionEntry {
    std::wstring trustee;  // as written
    std::uint32_t mask = 0;
    WellKnownTrustee wellKnown = WellKnownTrustee::None;
};

// The text split at "|": an empty text gives no entries, a "|" at the very end no extra one.
std::vector<std::wstring> SplitPermissionText(std::wstring_view text);

// "Everyone" and "Administrators" in any case; every other name is not well known.
WellKnownTrustee RecognizeTrustee(std::wstring_view name);

// One entry "trustee/mask[/ignored...]". An entry without "/" or with an empty trustee
// (which includes the empty entry between two "|") names nobody: nullopt. Such entries
// are refused rather than skipped, so a typing error in a package never silently shares
// a folder with weaker or different rights than its author meant.
std::optional<PermissionEntry> ParsePermissionEntry(std::wstring_view entry);

}  // namespace pubdirs
