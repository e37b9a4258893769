#pragma once
// Text rules for one entry of "Class Path": which entries are searched on disk, the search
// pattern and the folder that the found names are put in. No system calls.
#include <string>
#include <string_view>

namespace launcher {

// Neither "X:..." nor "\\..." (one character counts as relative too).
bool IsRelativeClassPathEntry(std::wstring_view entry);

// Entries with a "*" and relative entries are searched; other entries are taken verbatim.
bool NeedsClassPathSearch(std::wstring_view entry);

// A relative entry lies below the program folder (given without a trailing "\").
std::wstring ClassPathSearchPattern(std::wstring_view entry, std::wstring_view programFolder);

// The folder of the entry's matches, without a trailing "\": the pattern's own folder.
std::wstring ClassPathMatchFolder(std::wstring_view entry, std::wstring_view programFolder);

}  // namespace launcher
