#pragma once
// UTF-16 <-> multibyte text in the thread's ANSI code page (CP_THREAD_ACP).
#include <string>
#include <string_view>

namespace support {

std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);

// The same in the system's ANSI code page (CP_ACP), whatever the thread's locale.
std::string WideToSystemAnsi(std::wstring_view text);
std::wstring SystemAnsiToWide(std::string_view text);

// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::wstring Utf8ToWide(std::string_view text);

}  // namespace support
