#include "support/text_conversion.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace support {
namespace {

TEST(TextConversion, RoundTripInTheThreadCodePage) {
    // The test prefix runs with code page 1252: German umlauts have single bytes there.
    ASSERT_EQ(::GetACP(), 1252u);
    EXPECT_EQ(WideToAnsi(L"Gr\u00FC\u00DFe"),
              "Gr\xFC\xDF"
              "e");
    EXPECT_EQ(AnsiToWide("Gr\xFC\xDF"
                         "e"),
              L"Gr\u00FC\u00DFe");
    EXPECT_EQ(WideToAnsi(L""), "");
    EXPECT_EQ(AnsiToWide(""), L"");
    // Embedded NULs are kept: the length is the caller's, not the first NUL's.
    EXPECT_EQ(WideToAnsi(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
    // A character the code page lacks becomes its default character, not an error.
    EXPECT_EQ(WideToAnsi(L"\u4E2D"), "?");
    const std::wstring big(100000, L'\u00E4');
    EXPECT_EQ(AnsiToWide(WideToAnsi(big)), big);
}

}  // namespace
}  // namespace support
