#pragma once
#include <cstdint>
#include <string_view>

namespace pubdirs {

// Reads a signed decimal number the way the table's numeric columns are read: leading
// blanks (not tabs), an optional "-" then an optional "+", digits up to the first
// non-digit. Arithmetic wraps modulo 2^32, so "4294967295" gives -1. No digits give 0.
std::int32_t ParseDecimal(std::wstring_view text);

}  // namespace pubdirs
