#include "settings/version.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

Version Make(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d, int groups) {
    return Version{{a, b, c, d}, groups};
}

TEST(ParseVersion, ReadsDigitGroupsAndFillsTheRest) {
    struct Case {
        const wchar_t* text;
        std::int32_t fill;
        bool ok;
        Version version;
    };
    const Case cases[] = {
        {L"1.8.0_202", 0, true, Make(1, 8, 0, 202, 4)},
        {L"jre1.8.0_45", 0, true, Make(1, 8, 0, 45, 4)},
        {L"11.0.2+9", 0, true, Make(11, 0, 2, 9, 4)},
        {L"1.8", 65535, true, Make(1, 8, 65535, 65535, 2)},
        {L"1.8", 0, true, Make(1, 8, 0, 0, 2)},
        {L"1.6", 0, true, Make(1, 6, 0, 0, 2)},
        {L"1.2.3.4.5", 0, true, Make(1, 2, 3, 4, 5)},
        {L"17", 65535, true, Make(17, 65535, 65535, 65535, 1)},
        {L" v 1 - 2 ", 0, true, Make(1, 2, 0, 0, 2)},
        {L"abc", 0, false, Make(0, 0, 0, 0, 0)},
        {L"", 65535, false, Make(0, 0, 0, 0, 0)},
        {L"9999999999", 0, false, Make(0, 0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        Version version = Make(7, 7, 7, 7, 7);
        EXPECT_EQ(ParseVersion(c.text, c.fill, version), c.ok) << testing::PrintToString(c.text);
        EXPECT_EQ(version, c.version) << testing::PrintToString(c.text);
    }
}

TEST(ParseVersion, NoGroupMayPassTheLargest32BitNumber) {
    Version version;
    EXPECT_TRUE(ParseVersion(L"2147483647.1", 0, version));
    EXPECT_EQ(version, Make(2147483647, 1, 0, 0, 2));
    for (const wchar_t* text :
         {L"2147483648", L"2147483649", L"1.2147483648", L"1.2.3.21474836470", L"3000000000"}) {
        EXPECT_FALSE(ParseVersion(text, 65535, version)) << testing::PrintToString(text);
        EXPECT_EQ(version, Make(0, 0, 0, 0, 0));
    }
    // Leading zeros do not count towards the size.
    EXPECT_TRUE(ParseVersion(L"0000000000002147483647", 0, version));
    EXPECT_EQ(version.components[0], 2147483647);
}

TEST(FormatVersion, ShortestTextOfAtLeastTwoComponents) {
    struct Case {
        Version version;
        const wchar_t* text;
    };
    const Case cases[] = {
        {Make(1, 0, 0, 0, 4), L"1.0"},
        {Make(0, 0, 5, 0, 4), L"0.0.5"},
        {Make(1, 65535, 3, 0, 4), L"1.65535.3"},
        {Make(0, 0, 0, 0, 4), L"0.0.0.0"},
        {Make(65535, 65535, 65535, 65535, 4), L"0.0.0.0"},
        {Make(1, 8, 65535, 65535, 2), L"1.8"},
        {Make(1, 8, 0, 202, 4), L"1.8.0.202"},
        {Make(-1, 0, 0, 0, 1), L"-1.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatVersion(c.version), c.text);
    }
}

TEST(CompareVersions, ComponentsInOrderAsSignedNumbers) {
    EXPECT_LT(CompareVersions(Make(1, 7, 0, 80, 4), Make(1, 8, 0, 0, 2)), 0);
    EXPECT_GT(CompareVersions(Make(1, 8, 0, 251, 4), Make(1, 8, 0, 0, 2)), 0);
    EXPECT_EQ(CompareVersions(Make(1, 8, 0, 0, 2), Make(1, 8, 0, 0, 4)), 0);
}

}  // namespace
}  // namespace launcher
