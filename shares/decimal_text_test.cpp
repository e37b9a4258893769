#include "decimal_text.h"

#include <gtest/gtest.h>

#include <string>

namespace pubdirs {
namespace {

TEST(ParseDecimal, Examples) {
    const struct {
        std::wstring text;
        std::int32_t value;
    } cases[] = {
        {L" 12", 12},
        {L"-1", -1},
        {L"-+7", -7},
        {L"12ab", 12},
        {L"ab", 0},
        {L"-", 0},
        {L"+", 0},
        {L"", 0},
        {L"4294967295", -1},
        {L"\t5", 0},  // only blanks are skipped
        {L"+-3", 0},  // the sign order is minus, then plus
        {L"   -0042x", -42},
        {L"2147483648", -2147483647 - 1},
        {L"4294967296", 0},  // wraps modulo 2^32
        {std::wstring(5000, L'0') + L"9", 9},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.value) << "text: \"" << c.text.c_str() << "\"";
    }
}

}  // namespace
}  // namespace pubdirs
