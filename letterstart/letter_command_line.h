#pragma once
// How letterstart reads its command line: the letter and its data source, separated by
// "/c". No system calls, so the host build tests it under the sanitizers.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace letterstart {

// The marker between the two paths: a slash and a lower-case c, compared exactly.
inline constexpr std::wstring_view kMarker = L"/c";

// The argument text behind the program name, as a program's own raw command line holds
// it: the program name (up to its closing quote, or else to the first blank or tab) and
// the blanks and tabs after it removed.
std::wstring_view ArgumentText(std::wstring_view commandLine);

// The text cut at every marker; a text without one is a single part.
std::vector<std::wstring> SplitAtMarker(std::wstring_view text);

// Without one pair of double quotes that encloses the whole text.
std::wstring_view WithoutEnclosingQuotes(std::wstring_view text);

// The letter's path from the first part: its first two characters and its last one
// dropped unseen (the caller's framing), trimmed, unquoted, separators normalised.
// Nothing when the part is too short to cut.
std::optional<std::wstring> MainDocumentPath(std::wstring_view firstPart);

// The data source's path from the second part: trimmed, unquoted, separators normalised.
std::wstring DataSourcePath(std::wstring_view secondPart);

}  // namespace letterstart
