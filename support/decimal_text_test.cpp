#include "support/decimal_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace support {
namespace {

TEST(DecimalText, SignsLimitsAndLeadingZeros) {
    EXPECT_EQ(DecimalText(0), L"0");
    EXPECT_EQ(DecimalText(-1), L"-1");
    EXPECT_EQ(DecimalText(std::numeric_limits<std::int32_t>::min()), L"-2147483648");
    EXPECT_EQ(DecimalText(std::numeric_limits<std::uint64_t>::max()), L"18446744073709551615");
    EXPECT_EQ(DecimalText(7u, 3), L"007");
    EXPECT_EQ(DecimalText(-7, 3), L"-007");
    EXPECT_EQ(DecimalText(2026, 2), L"2026");
}

}  // namespace
}  // namespace support
