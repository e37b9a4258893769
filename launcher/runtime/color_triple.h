#pragma once
// The user's link colours are stored as text such as "0,128,255". No system calls.
#include <cstdint>
#include <optional>
#include <string_view>

namespace launcher {

// A colour value as the graphics functions take it: red in the low byte, then green, then blue.
using ColorValue = std::uint32_t;

// "R,G,B": three decimal numbers, each with optional leading blanks and sign and read up to
// its first non-digit, cut to their low 8 bits. Invalid without two commas, with nothing after
// the second, or with -1 as the first or second number.
std::optional<ColorValue> ParseColorTriple(std::wstring_view text);

}  // namespace launcher
