// The memory-share notation: the result is the option's prefix, a size in kilobytes that fits
// 32 bits unsigned, and "K", whatever the machine reports.
#include "options/memory_option.h"
#include "fuzz_text.h"

#include <cwctype>
#include <limits>

namespace {

constexpr launcher::MemoryFigures kMachines[] = {
    {0, 0},
    {8ull << 30, 2ull << 30},
    {std::numeric_limits<std::uint64_t>::max(), std::numeric_limits<std::uint64_t>::max()},
};

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring token = fuzz::WideText(data, size);
    launcher::IsMemoryShareOption(token);
    if (token.empty()) {
        FUZZ_CHECK(launcher::ConvertMemoryOption(token, kMachines[1]).empty());
        return 0;
    }
    for (const launcher::MemoryFigures& machine : kMachines) {
        const std::wstring result = launcher::ConvertMemoryOption(token, machine);
        FUZZ_CHECK(result.size() >= 2 && result.back() == L'K');
        std::size_t digits = result.size() - 1;
        while (digits > 0 && IsDigit(result[digits - 1])) {
            --digits;
        }
        const std::wstring_view prefix = std::wstring_view(result).substr(0, digits);
        const std::wstring_view number =
            std::wstring_view(result).substr(digits, result.size() - 1 - digits);
        FUZZ_CHECK(!number.empty() && number.size() <= 10);
        FUZZ_CHECK(std::stoull(std::wstring(number)) <= std::numeric_limits<std::uint32_t>::max());
        // The prefix is the token's own text before its first digit or ":".
        FUZZ_CHECK(token.starts_with(prefix));
        for (wchar_t c : prefix) {
            FUZZ_CHECK(!IsDigit(c) && c != L':');
        }
    }
    return 0;
}
