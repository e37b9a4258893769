// The table's numbers: ParseDecimal against a plain reading modulo 2^32, and the Options and
// UserLimit columns that are read through it.
#include "decimal_text.h"
#include "share_request.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::WideText(data, size);
    std::size_t position = text.find_first_not_of(L' ');
    if (position == std::wstring::npos) {
        position = text.size();
    }
    const bool negative = position < text.size() && text[position] == L'-';
    position += negative ? 1 : 0;
    position += position < text.size() && text[position] == L'+' ? 1 : 0;
    std::uint64_t value = 0;
    for (; position < text.size() && text[position] >= L'0' && text[position] <= L'9'; ++position) {
        value = (value * 10 + static_cast<std::uint64_t>(text[position] - L'0')) % (1ull << 32);
    }
    const std::uint32_t expected =
        static_cast<std::uint32_t>(negative ? ((1ull << 32) - value) % (1ull << 32) : value);
    const std::int32_t parsed = pubdirs::ParseDecimal(text);
    FUZZ_CHECK(static_cast<std::uint32_t>(parsed) == expected);

    const pubdirs::FailureOption option = pubdirs::ParseFailureOption(text);
    FUZZ_CHECK(option == (parsed == 0   ? pubdirs::FailureOption::Ask
                          : parsed == 1 ? pubdirs::FailureOption::Replace
                                        : pubdirs::FailureOption::GiveUp));
    FUZZ_CHECK(pubdirs::ParseUserLimit(text) == (text.empty() ? pubdirs::kNoUserLimit : expected));
    return 0;
}
