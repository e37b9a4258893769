#pragma once
// The last component of a path and the folder above it, for "\" and "/" alike.
#include <string>
#include <string_view>

namespace mailer {

// "C:\a\b.txt" gives "b.txt"; a path without separator is its own name.
std::wstring FileNameOf(std::wstring_view path);

// "C:\a\b.txt" gives "C:\a", "C:\b.txt" gives "C:\" (a drive root keeps its backslash),
// "b.txt" gives the empty text.
std::wstring ParentFolderOf(std::wstring_view path);

}  // namespace mailer
