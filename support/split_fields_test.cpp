#include "support/split_fields.h"

#include <gtest/gtest.h>

namespace support {
namespace {

using Fields = std::vector<std::wstring>;

TEST(SplitFields, ActionDataSeparator) {
    const std::wstring sep(1, L'\x01');
    EXPECT_EQ(SplitFields(L"x\x01\x01y", sep), (Fields{L"x", L"", L"y"}));
    EXPECT_EQ(SplitFields(L"x\x01", sep), (Fields{L"x"}));
    EXPECT_EQ(SplitFields(L"\x01x", sep), (Fields{L"", L"x"}));
    EXPECT_EQ(SplitFields(L"plain", sep), (Fields{L"plain"}));
    EXPECT_EQ(SplitFields(L"", sep), Fields{});
    EXPECT_EQ(SplitFields(L"\x01", sep), (Fields{L""}));
    EXPECT_EQ(SplitFields(L"a\x01\x01", sep), (Fields{L"a", L""}));
}

TEST(SplitFields, VersionListSeparator) {
    EXPECT_EQ(SplitFields(L"1.8;1.7;", L";"), (Fields{L"1.8", L"1.7"}));
    EXPECT_EQ(SplitFields(L";1.8", L";"), (Fields{L"", L"1.8"}));
}

TEST(SplitFields, MultiCharacterAndEmptySeparator) {
    EXPECT_EQ(SplitFields(L"a::b:c", L"::"), (Fields{L"a", L"b:c"}));
    EXPECT_EQ(SplitFields(L"a;b", L""), (Fields{L"a;b"}));
}

}  // namespace
}  // namespace support
