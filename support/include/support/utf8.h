#pragma once
// UTF-8 without a system call, so that the host builds and tests it as well.
#include <string>
#include <string_view>

namespace support {

// UTF-16 (or, where wchar_t has 32 bits, UTF-32) to UTF-8; a lone surrogate becomes U+FFFD.
std::string WideToUtf8(std::wstring_view text);

}  // namespace support
