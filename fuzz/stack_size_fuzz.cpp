// -Xss sizes: 0 for an invalid size or one beyond 32 bits, else the digits times the unit that
// the last character names.
#include "options/memory_option.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::WideText(data, size);
    const std::uint32_t bytes = launcher::ParseStackSize(text);
    if (text.size() < 2 || text[0] < L'0' || text[0] > L'9' ||
        text.substr(0, text.size() - 1).find(L':') != std::wstring::npos) {
        FUZZ_CHECK(bytes == 0);
        return 0;
    }
    std::uint32_t unit = 1;
    switch (text.back()) {
        case L'g':
        case L'G':
            unit = 1u << 30;
            break;
        case L'm':
        case L'M':
            unit = 1u << 20;
            break;
        case L'k':
        case L'K':
            unit = 1u << 10;
            break;
        default:
            break;
    }
    // The digits before the unit, other characters skipped, read exactly: a number of more
    // than ten significant digits cannot fit 32 bits at all.
    std::uint64_t number = 0;
    int significant = 0;
    for (wchar_t c : std::wstring_view(text).substr(0, text.size() - 1)) {
        if (c >= L'0' && c <= L'9' && (significant > 0 || c != L'0') && ++significant <= 11) {
            number = number * 10 + static_cast<std::uint64_t>(c - L'0');
        }
    }
    const std::uint64_t expected = significant > 10 ? 0 : number * unit;
    FUZZ_CHECK(bytes == (expected > 0xFFFFFFFFu ? 0 : expected));
    return 0;
}
