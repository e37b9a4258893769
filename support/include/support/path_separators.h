#pragma once
// The separator rule of the helper programs' paths: forward slashes become backslashes,
// doubled backslashes collapse, and a network path keeps its leading pair.
#include <string>
#include <string_view>

namespace support {

// Replaces every "/" by "\", then every pair "\\" (left to right, not overlapping) by "\".
// A path that began with two separators (after the first replacement) gets its second
// backslash back in front, so "\\srv\share" and "//srv/share" stay network paths; a path
// from the root of the current drive ("\dir") stays what it is.
std::string NormalizePathSeparators(std::string_view path);
std::wstring NormalizePathSeparators(std::wstring_view path);

}  // namespace support
