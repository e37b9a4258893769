#pragma once
// Whole numbers as decimal text, without the C library's formatted output: std::to_wstring
// and swprintf pull mingw's whole printf engine into a program that only writes integers.
#include <concepts>
#include <cstddef>
#include <string>
#include <type_traits>

namespace support {

// The number's digits, with "-" before a negative one; at least minimumDigits digits,
// zeros in front.
template <std::integral Number>
std::wstring DecimalText(Number number, std::size_t minimumDigits = 1) {
    using Unsigned = std::make_unsigned_t<Number>;
    const bool negative = number < 0;
    // Unsigned arithmetic: the negative of the smallest number does not fit in its own type.
    Unsigned rest =
        negative ? Unsigned(0) - static_cast<Unsigned>(number) : static_cast<Unsigned>(number);
    std::wstring text;
    do {
        text.insert(text.begin(), static_cast<wchar_t>(L'0' + rest % 10));
        rest /= 10;
    } while (rest != 0);
    if (text.size() < minimumDigits) {
        text.insert(0, minimumDigits - text.size(), L'0');
    }
    if (negative) {
        text.insert(text.begin(), L'-');
    }
    return text;
}

}  // namespace support
