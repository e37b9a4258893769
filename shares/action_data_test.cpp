#include "action_data.h"

#include <gtest/gtest.h>

namespace pubdirs {
namespace {

ShareActionData SampleRow() {
    return {L"C:\\Programme\\Tessaly\\Austausch\\",
            L"Austausch",
            L"Ablage fuer alle",
            L"-1",
            L"Everyone/1179817|Administrators/2032127",
            L"{8E2B3C4D-1111-2222-3333-444455556666}",
            L"Exchange",
            L"0"};
}

TEST(ShareActionDataText, FieldOrderAndSeparators) {
    EXPECT_EQ(FormatShareActionData(SampleRow()),
              L"C:\\Programme\\Tessaly\\Austausch\\\x01"
              L"Austausch\x01"
              L"Ablage fuer alle\x01"
              L"-1\x01"
              L"Everyone/1179817|Administrators/2032127\x01"
              L"{8E2B3C4D-1111-2222-3333-444455556666}\x01"
              L"Exchange\x01"
              L"0");
    EXPECT_EQ(FormatShareReference({L"Exchange", L"{UPGRADE}"}), L"Exchange\x01{UPGRADE}");
}

TEST(ShareActionDataText, RoundTripsWithEmptyInnerAndLongFields) {
    ShareActionData row = SampleRow();
    row.folderPath.clear();  // directory property unreadable: the data starts with the separator
    row.description.clear();
    row.permissions = std::wstring(3000, L'p');
    const auto parsed = ParseShareActionData(FormatShareActionData(row));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, row);
    EXPECT_EQ(parsed->folderPath, L"");
    EXPECT_EQ(parsed->permissions.size(), 3000u);
}

// Field counts the receivers reject: a trailing empty field is lost in transit, a separator
// inside a value adds one.
TEST(ShareActionDataText, MalformedFieldCounts) {
    ShareActionData row = SampleRow();
    row.options.clear();
    EXPECT_FALSE(ParseShareActionData(FormatShareActionData(row)).has_value());
    row = SampleRow();
    row.description = L"two\x01parts";
    EXPECT_TRUE(ContainsFieldSeparator(row.description));
    EXPECT_FALSE(ContainsFieldSeparator(row.shareName));
    EXPECT_FALSE(ParseShareActionData(FormatShareActionData(row)).has_value());

    EXPECT_EQ(ParseShareReference(L"Exchange\x01{U}"), (ShareReference{L"Exchange", L"{U}"}));
    EXPECT_EQ(ParseShareReference(L"\x01{U}"), (ShareReference{L"", L"{U}"}));
    // Without an UpgradeCode the data end with the separator, and that field is lost.
    EXPECT_EQ(ParseShareReference(L"Exchange\x01"), (ShareReference{L"Exchange", L""}));
    EXPECT_EQ(ParseShareReference(L"Exchange"), (ShareReference{L"Exchange", L""}));
    for (const wchar_t* bad : {L"", L"\x01",
                               L"a\x01"
                               L"b\x01"
                               L"c"}) {
        EXPECT_FALSE(ParseShareReference(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace pubdirs
