#include "support/utf8.h"

#include <gtest/gtest.h>

namespace support {
namespace {

TEST(WideToUtf8, PairsAndLoneSurrogates) {
    EXPECT_EQ(WideToUtf8(L"a\n"), "a\n");
    EXPECT_EQ(WideToUtf8(L"gen\u00fcgend"), "gen\xC3\xBCgend");
    EXPECT_EQ(WideToUtf8(L"\u20ac"), "\xE2\x82\xAC");
    std::wstring pair;
    pair += static_cast<wchar_t>(0xD83D);
    pair += static_cast<wchar_t>(0xDE00);
    if (sizeof(wchar_t) == 2) {
        EXPECT_EQ(WideToUtf8(pair), "\xF0\x9F\x98\x80");
    }
    std::wstring lone(1, static_cast<wchar_t>(0xD800));
    lone += L'x';
    EXPECT_EQ(WideToUtf8(lone), "\xEF\xBF\xBDx");
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xDC00))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace support
