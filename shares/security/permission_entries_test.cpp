#include "security/permission_entries.h"

#include <gtest/gtest.h>

namespace pubdirs {
namespace {

using Texts = std::vector<std::wstring>;

TEST(PermissionText, SplitsAtBarsKeepingEmptyInnerEntries) {
    EXPECT_EQ(SplitPermissionText(L""), Texts{});
    EXPECT_EQ(SplitPermissionText(L"Everyone/1|"), Texts{L"Everyone/1"});
    EXPECT_EQ(SplitPermissionText(L"a/1||b/2"), (Texts{L"a/1", L"", L"b/2"}));
    EXPECT_EQ(SplitPermissionText(L"|a/1"), (Texts{L"", L"a/1"}));
}

TEST(PermissionText, WellKnownWordsInAnyCaseOnly) {
    EXPECT_EQ(RecognizeTrustee(L"Everyone"), WellKnownTrustee::Everyone);
    EXPECT_EQ(RecognizeTrustee(L"eVERYONE"), WellKnownTrustee::Everyone);
    EXPECT_EQ(RecognizeTrustee(L"ADMINISTRATORS"), WellKnownTrustee::Administrators);
    EXPECT_EQ(RecognizeTrustee(L"administrators"), WellKnownTrustee::Administrators);
    EXPECT_EQ(RecognizeTrustee(L"Everyone "), WellKnownTrustee::None);
    EXPECT_EQ(RecognizeTrustee(L"Jeder"), WellKnownTrustee::None);
    EXPECT_EQ(RecognizeTrustee(L"Administrator"), WellKnownTrustee::None);
    EXPECT_EQ(RecognizeTrustee(L""), WellKnownTrustee::None);
}

TEST(PermissionText, EntriesNeedATrusteeAndASlash) {
    const auto everyone = ParsePermissionEntry(L"everyone/1179817");
    ASSERT_TRUE(everyone);
    EXPECT_EQ(everyone->trustee, L"everyone");
    EXPECT_EQ(everyone->wellKnown, WellKnownTrustee::Everyone);
    EXPECT_EQ(everyone->mask, 1179817u);

    const auto domain = ParsePermissionEntry(L"OFFICE\\Accounting/1245631/ignored/too");
    ASSERT_TRUE(domain);
    EXPECT_EQ(domain->trustee, L"OFFICE\\Accounting");
    EXPECT_EQ(domain->wellKnown, WellKnownTrustee::None);
    EXPECT_EQ(domain->mask, 1245631u);

    const auto noMask = ParsePermissionEntry(L"Users/");
    ASSERT_TRUE(noMask);
    EXPECT_EQ(noMask->mask, 0u);

    // The mask follows the table's number rule: digits up to the first other character.
    EXPECT_EQ(ParsePermissionEntry(L"Users/1179817rwx")->mask, 1179817u);
    EXPECT_EQ(ParsePermissionEntry(L"Users/read")->mask, 0u);
    EXPECT_EQ(ParsePermissionEntry(L"Users/-1")->mask, 0xFFFFFFFFu);

    EXPECT_FALSE(ParsePermissionEntry(L""));
    EXPECT_FALSE(ParsePermissionEntry(L"Everyone"));
    EXPECT_FALSE(ParsePermissionEntry(L"/2032127"));
}

}  // namespace
}  // namespace pubdirs
