#pragma once
// The texts that the scheduling actions hand to the deferred actions ("CustomActionData"):
// fields joined by U+0001, no escaping, no terminator.
#include <optional>
#include <string>
#include <string_view>

namespace pubdirs {

inline constexpr wchar_t kFieldSeparator = L'\x0001';

// What TS_PubDirs receives: one share to create.
struct ShareActionData {
    std::wstring folderPath;  // as the directory property holds it, usually with a trailing "\"
    std::wstring shareName;
    std::wstring description;
    std::wstring userLimit;  // decimal text, raw
    std::wstring permissions;
    std::wstring upgradeCode;
    std::wstring shareId;
    std::wstring options;  // decimal text, raw

    bool operator==(const ShareActionData&) const = default;
};

// What TS_RollbackSHFolders and TS_RemoveSHFolders receive: the bookkeeping entry to undo.
struct ShareReference {
    std::wstring shareId;
    std::wstring upgradeCode;

    bool operator==(const ShareReference&) const = default;
};

std::wstring FormatShareActionData(const ShareActionData& data);
// Rollback and removal data share one layout: the receiver takes field 1 as a ShareId.
std::wstring FormatShareReference(const ShareReference& reference);

// Exactly 8 fields, else nothing. An empty last field is lost in transit (the data then
// ends with the separator), so such data does not parse.
std::optional<ShareActionData> ParseShareActionData(std::wstring_view text);
// Two fields; or one non-empty field, which is a ShareId with an empty UpgradeCode (the
// package has none, and the empty last field was lost). Else nothing.
std::optional<ShareReference> ParseShareReference(std::wstring_view text);

// Values that carry the separator would shift every later field of the data.
bool ContainsFieldSeparator(std::wstring_view value);

}  // namespace pubdirs
