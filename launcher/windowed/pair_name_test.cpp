#include "windowed/pair_name.h"

#include <gtest/gtest.h>

namespace {

using launcher::WindowedPairPath;

TEST(WindowedPairPath, OnlyTheConsoleLaunchersNameIsReplaced) {
    struct Case {
        const wchar_t* pairProduct;
        const wchar_t* expected;  // nullptr: used as written
    };
    const Case cases[] = {
        {L"C:\\App\\x64\\javastub.exe", L"C:\\App\\x64\\javastubw.exe"},
        {L"C:\\App\\x64\\JAVASTUB.EXE", L"C:\\App\\x64\\javastubw.EXE"},
        {L"C:/App.v2/x64/javastub.exe", L"C:/App.v2/x64/javastubw.exe"},
        {L"javastub.exe", L"javastubw.exe"},
        {L"C:\\App\\javastub", L"C:\\App\\javastubw"},
        // A dot in a folder is no extension; only the last dot of the name counts.
        {L"C:\\x.y\\javastub", L"C:\\x.y\\javastubw"},
        {L"C:\\App\\javastub.x.exe", nullptr},
        {L"C:\\App\\x64\\javastubw.exe", nullptr},
        {L"C:\\App\\x64\\tool64.exe", nullptr},
        {L"C:\\App\\javastub\\", nullptr},
        {L"", nullptr},
    };
    for (const Case& c : cases) {
        const auto path = WindowedPairPath(c.pairProduct, L"javastub", L"javastubw");
        if (c.expected == nullptr) {
            EXPECT_FALSE(path.has_value()) << c.pairProduct;
        } else {
            EXPECT_EQ(path, std::wstring(c.expected)) << c.pairProduct;
        }
    }
}

TEST(WindowedPairPath, BrandedNamesCompareWithoutCaseOfUmlauts) {
    EXPECT_EQ(WindowedPairPath(L"D:\\x64\\B\u00dcROSTART.exe", L"B\u00fcrostart", L"B\u00fcro"),
              std::wstring(L"D:\\x64\\B\u00fcro.exe"));
    EXPECT_FALSE(WindowedPairPath(L"D:\\x64\\start.exe", L"", L"startw").has_value());
}

}  // namespace
