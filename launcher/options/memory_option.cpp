#include "options/memory_option.h"

#include <algorithm>
#include <array>
#include <limits>

#include "support/decimal_text.h"

namespace launcher {
namespace {

constexpr std::uint64_t kMaxUnsigned = std::numeric_limits<std::uint32_t>::max();

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool IsShareUnit(wchar_t c) {
    return c == L'P' || c == L'p' || c == L'T' || c == L't';
}

// Appends a digit, holding the number at kMaxUnsigned: bounds and percentages above that
// mean "as much as can be written" rather than a wrapped-around small number.
std::uint64_t AppendDigit(std::uint64_t number, wchar_t digit) {
    return std::min(number * 10 + static_cast<std::uint64_t>(digit - L'0'), kMaxUnsigned);
}

}  // namespace

bool IsMemoryShareOption(std::wstring_view token) {
    const bool sizeOption =
        token.starts_with(L"-Xms") || token.starts_with(L"-Xmx") || token.starts_with(L"-Xss");
    return sizeOption && IsShareUnit(token.back());
}

std::wstring ConvertMemoryOption(std::wstring_view token, const MemoryFigures& memory) {
    if (token.empty()) {
        return {};
    }
    const size_t last = token.size() - 1;
    size_t numbersStart = 0;
    while (numbersStart < last && !IsDigit(token[numbersStart]) && token[numbersStart] != L':') {
        ++numbersStart;
    }

    // Percentage, lower bound and upper bound; later numbers are ignored.
    std::array<std::uint64_t, 3> numbers{};
    size_t index = 0;
    for (size_t i = numbersStart; i < last; ++i) {
        if (token[i] == L':') {
            ++index;
        } else if (IsDigit(token[i]) && index < numbers.size()) {
            numbers[index] = AppendDigit(numbers[index], token[i]);
        }
    }
    const auto [percentage, lowerMegabytes, upperMegabytes] = numbers;

    const wchar_t unit = token[last];
    const std::uint64_t baseKilobytes =
        (unit == L'T' || unit == L't' ? memory.availableVirtual : memory.totalPhysical) >> 10;
    const double share = static_cast<double>(baseKilobytes) * static_cast<double>(percentage) / 100;
    // Held within 32 bits before the conversion: a larger double has no unsigned value.
    std::uint64_t size = share >= static_cast<double>(kMaxUnsigned)
                             ? kMaxUnsigned
                             : static_cast<std::uint64_t>(share);
    if (upperMegabytes != 0 && size > upperMegabytes * 1024) {
        size = upperMegabytes * 1024;
    }
    if (lowerMegabytes * 1024 > size) {
        size = std::min(lowerMegabytes * 1024, kMaxUnsigned);
    }
    return std::wstring(token.substr(0, numbersStart)) + support::DecimalText(size) + L"K";
}

std::uint32_t ParseStackSize(std::wstring_view size) {
    if (size.size() < 2 || !IsDigit(size.front())) {
        return 0;
    }
    std::uint64_t unitBytes = 1;
    switch (size.back()) {
        case L'g':
        case L'G':
            unitBytes = 1073741824;
            break;
        case L'k':
        case L'K':
            unitBytes = 1024;
            break;
        case L'm':
        case L'M':
            unitBytes = 1048576;
            break;
        default:
            break;
    }
    // Held just above 32 bits rather than at their largest value: with the unit 1 a held
    // number would otherwise pass as a stack of 4294967295 bytes.
    std::uint64_t number = 0;
    for (const wchar_t c : size.substr(0, size.size() - 1)) {
        if (c == L':') {
            return 0;
        }
        if (IsDigit(c)) {
            number = std::min(number * 10 + static_cast<std::uint64_t>(c - L'0'), kMaxUnsigned + 1);
        }
    }
    const std::uint64_t bytes = number * unitBytes;
    return bytes > kMaxUnsigned ? 0 : static_cast<std::uint32_t>(bytes);
}

}  // namespace launcher
