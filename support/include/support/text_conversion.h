#pragma once
// UTF-16 <-> multibyte text in the thread's ANSI code page (CP_THREAD_ACP).
#include <string>
#include <string_view>

namespace support {

std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);

}  // namespace support
