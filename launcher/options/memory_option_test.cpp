#include "options/memory_option.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;
constexpr std::uint64_t kGigabyte = 1024 * kMegabyte;

TEST(MemoryOption, RecognisesOnlySizeOptionsWithAShareUnit) {
    for (const wchar_t* token : {L"-Xmx50P", L"-Xms10p", L"-Xss1T", L"-Xmx50:256:1024t"}) {
        EXPECT_TRUE(IsMemoryShareOption(token)) << token;
    }
    for (const wchar_t* token : {L"-Xmx512m", L"-xmx50P", L"-XX:MaxRAMP", L"-Dx=P", L"-Xmn50P"}) {
        EXPECT_FALSE(IsMemoryShareOption(token)) << token;
    }
}

struct ConversionCase {
    const wchar_t* token;
    MemoryFigures memory;
    const wchar_t* expected;
};

TEST(MemoryOption, ConvertsSharesWithBounds) {
    const MemoryFigures twoGigabytes{2 * kGigabyte, 1536 * kMegabyte};
    const ConversionCase cases[] = {
        // Half of 2 GB of physical memory.
        {L"-Xmx50P", twoGigabytes, L"-Xmx1048576K"},
        // Half of the free address space: 768 MB lies between 256 MB and 1024 MB.
        {L"-Xmx50:256:1024T", twoGigabytes, L"-Xmx786432K"},
        // The bounds hold the share in: at most 1024 MB ...
        {L"-Xmx90:256:1024T", twoGigabytes, L"-Xmx1048576K"},
        // ... and at least 256 MB.
        {L"-Xmx1:256:1024T", twoGigabytes, L"-Xmx262144K"},
        // The lower bound wins over the upper one when they cross.
        {L"-Xmx50:2048:1024p", twoGigabytes, L"-Xmx2097152K"},
        // An upper bound of 0 is no bound; a missing percentage is 0.
        {L"-Xms100:0:0P", twoGigabytes, L"-Xms2097152K"},
        {L"-Xms:64P", twoGigabytes, L"-Xms65536K"},
        // Characters that are neither digits nor ":" are skipped among the numbers.
        {L"-Xmx5x0P", twoGigabytes, L"-Xmx1048576K"},
        // Truncated, not rounded: a third of 1 KB is 0.
        {L"-Xmx33P", {1024, 0}, L"-Xmx0K"},
        // No number at all.
        {L"-XmxP", twoGigabytes, L"-Xmx0K"},
        // 3 GB in kilobytes is above the largest signed 32-bit number.
        {L"-Xmx75P", {4 * kGigabyte, 0}, L"-Xmx3145728K"},
        // Shares and bounds beyond 32 bits are held at the largest unsigned value.
        {L"-Xmx99999999999P", {64 * kGigabyte, 0}, L"-Xmx4294967295K"},
        {L"-Xmx1:99999999999P", {kGigabyte, 0}, L"-Xmx4294967295K"},
    };
    for (const ConversionCase& c : cases) {
        EXPECT_EQ(ConvertMemoryOption(c.token, c.memory), c.expected) << c.token;
    }
}

TEST(MemoryOption, StackSizeTakesTheLastCharacterAsUnit) {
    EXPECT_EQ(ParseStackSize(L"512k"), 524288u);
    EXPECT_EQ(ParseStackSize(L"512K"), 524288u);
    EXPECT_EQ(ParseStackSize(L"2m"), 2097152u);
    EXPECT_EQ(ParseStackSize(L"1G"), 1073741824u);
    // The last digit is the unit, and it counts 1.
    EXPECT_EQ(ParseStackSize(L"512"), 51u);
    // Other characters among the digits are skipped.
    EXPECT_EQ(ParseStackSize(L"1_0k"), 10240u);
    // Invalid: no leading digit, a ":", nothing before the unit.
    EXPECT_EQ(ParseStackSize(L"k512k"), 0u);
    EXPECT_EQ(ParseStackSize(L"1:2k"), 0u);
    EXPECT_EQ(ParseStackSize(L"k"), 0u);
    EXPECT_EQ(ParseStackSize(L""), 0u);
    // Beyond 32 bits is as unusable as invalid.
    EXPECT_EQ(ParseStackSize(L"4g"), 0u);
    EXPECT_EQ(ParseStackSize(L"99999999999999999999999k"), 0u);
    // Also with the unit 1, whose product cannot grow past a number held at the limit.
    EXPECT_EQ(ParseStackSize(L"42949672951"), 4294967295u);
    EXPECT_EQ(ParseStackSize(L"42949672961"), 0u);
    EXPECT_EQ(ParseStackSize(L"99999999999999999999999x"), 0u);
}

}  // namespace
}  // namespace launcher
