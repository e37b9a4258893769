#pragma once
// Path rules that need no system call, so that they also run (and are fuzzed) on the host.
#include <string>
#include <string_view>
#include <vector>

namespace support {

// Longest path the plain wide file functions take; longer ones need the long-path form.
inline constexpr size_t kMaxPlainPath = 259;
// Longest path the long-path form allows (including its prefix).
inline constexpr size_t kMaxLongPath = 32766;

// True for "\\server..." and "\\?\UNC\...", false for "\\?\C:\..." and everything else.
bool IsUncPath(std::wstring_view path);

// Paths of up to 259 characters unchanged; longer ones as "\\?\" + path or
// "\\?\UNC\" + server and share, unless already in that form. A longer path that is
// neither a full drive path ("X:\...") nor a network path stays as it is.
std::wstring ToLongPathForm(std::wstring_view path);

// The root ("C:", "\\srv", "\\?\UNC\srv", "\\?\C:") followed by the other components.
std::vector<std::wstring> SplitPath(std::wstring_view path);

// True when the path is absolute in one of the two shapes that PathExists accepts:
// "\\..." or "X:...".
bool IsAbsolutePathShape(std::wstring_view path);

}  // namespace support
