#include "messages/placeholder_format.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(FillPlaceholders, TextsNumbersAndPercent) {
    EXPECT_EQ(FillPlaceholders(L"Windows Fehler: %s (Fehlernummer = %d).\n",
                               {std::wstring_view(L"x"), std::int32_t{122}}),
              L"Windows Fehler: x (Fehlernummer = 122).\n");
    EXPECT_EQ(FillPlaceholders(L"%d", {std::int32_t{-2147483647 - 1}}), L"-2147483648");
    EXPECT_EQ(FillPlaceholders(L"100%% %s", {std::wstring_view(L"a")}), L"100% a");
    // A placeholder inside an argument is not filled again.
    EXPECT_EQ(FillPlaceholders(L"%s|%s", {std::wstring_view(L"%s"), std::wstring_view(L"b")}),
              L"%s|b");
}

TEST(FillPlaceholders, MissingArgumentsAndStrayPercents) {
    EXPECT_EQ(FillPlaceholders(L"Version zwischen %s und %s", {std::wstring_view(L"1.6")}),
              L"Version zwischen 1.6 und ");
    EXPECT_EQ(FillPlaceholders(L"50%x %", {}), L"50%x %");
    EXPECT_EQ(FillPlaceholders(L"", {std::int32_t{1}}), L"");
}

}  // namespace
}  // namespace launcher
