#pragma once
// The shape and the bytes of the launcher's error lines.
#include <string>
#include <string_view>

namespace launcher {

// "Error: " + message + " \n". A message that ends in a line feed gives a second line that
// holds one blank.
std::wstring ErrorLine(std::wstring_view message);

}  // namespace launcher
