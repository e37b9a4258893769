#pragma once
// The shape and the bytes of the launcher's error lines.
#include <string>
#include <string_view>

namespace launcher {

// "Error: " + message + " \n". A message that ends in a line feed gives a second line that
// holds one blank.
std::wstring ErrorLine(std::wstring_view message);

// UTF-8 without byte-order mark, for output that does not go to a console. Line feeds stay
// single line feeds; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::wstring_view text);

}  // namespace launcher
