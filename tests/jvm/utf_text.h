#pragma once
// UTF-8 and UTF-16 conversions for the tests' command lines and output.

#include <string>
#include <string_view>

namespace test_text {

// Ill-formed input becomes U+FFFD.
std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

}  // namespace test_text
