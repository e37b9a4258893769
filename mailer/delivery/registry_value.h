#pragma once
// Registry values as text, for the library that another mail program registers.
#include <windows.h>

#include <string>

namespace mailer {

// Opens the key below root, reads the value with fRegAbfrageWert, closes the key. A key
// that cannot be opened gives the empty text.
std::wstring fWertLesen(HKEY root, const std::wstring& keyPath, const std::wstring& valueName);

// The value of an open key as text: REG_SZ up to its first NUL, REG_EXPAND_SZ the same with
// its %NAME% references expanded, REG_BINARY of one or two bytes as the decimal text of a
// signed 16-bit number (little-endian). Everything else, and every failure, the empty text.
std::wstring fRegAbfrageWert(HKEY key, const std::wstring& valueName);

}  // namespace mailer
