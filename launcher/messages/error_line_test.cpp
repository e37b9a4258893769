#include "messages/error_line.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(ErrorLine, Utf8WithoutByteOrderMark) {
    EXPECT_EQ(ToUtf8(L"a\n"), "a\n");
    EXPECT_EQ(ToUtf8(L"gen\u00fcgend"), "gen\xC3\xBCgend");
    EXPECT_EQ(ToUtf8(L"\u20ac"), "\xE2\x82\xAC");
    std::wstring pair;
    pair += static_cast<wchar_t>(0xD83D);
    pair += static_cast<wchar_t>(0xDE00);
    if (sizeof(wchar_t) == 2) {
        EXPECT_EQ(ToUtf8(pair), "\xF0\x9F\x98\x80");
    }
    std::wstring lone(1, static_cast<wchar_t>(0xD800));
    lone += L'x';
    EXPECT_EQ(ToUtf8(lone), "\xEF\xBF\xBDx");
    EXPECT_EQ(ToUtf8(std::wstring(1, static_cast<wchar_t>(0xDC00))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace launcher
