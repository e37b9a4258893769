#include "runtime/color_triple.h"

#include <climits>

namespace launcher {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

// A leading signed decimal number, as the C runtime's _wtol reads it: blanks, a sign, digits
// up to the first other character; out of range it sticks at the nearest limit.
long ReadNumber(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        value = INT_MAX;
    }
    return static_cast<long>(value);
}

}  // namespace

std::optional<ColorValue> ParseColorTriple(std::wstring_view text) {
    const size_t first = text.find(L',');
    if (first == std::wstring_view::npos) {
        return std::nullopt;
    }
    const size_t second = text.find(L',', first + 1);
    if (second == std::wstring_view::npos || second + 1 == text.size()) {
        return std::nullopt;
    }
    const long red = ReadNumber(text.substr(0, first));
    const long green = ReadNumber(text.substr(first + 1, second - first - 1));
    const long blue = ReadNumber(text.substr(second + 1));
    if (red == -1 || green == -1) {
        return std::nullopt;
    }
    const auto low = [](long n) { return static_cast<ColorValue>(n) & 0xFF; };
    return low(red) | low(green) << 8 | low(blue) << 16;
}

}  // namespace launcher
