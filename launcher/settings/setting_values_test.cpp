#include "settings/setting_values.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

struct ProviderFlags {
    bool acceptJrockit, preferJrockit, acceptSun, preferSun, acceptIbm, preferIbm;
    friend bool operator==(const ProviderFlags&, const ProviderFlags&) = default;
};

ProviderFlags FlagsOf(const LauncherSettings& s) {
    return {s.acceptJrockit, s.preferJrockit, s.acceptSun, s.preferSun, s.acceptIbm, s.preferIbm};
}

TEST(SettingValues, YesIgnoresCaseButNotABlank) {
    EXPECT_TRUE(IsYesIgnoringCase(L"Yes"));
    EXPECT_TRUE(IsYesIgnoringCase(L"yES"));
    EXPECT_FALSE(IsYesIgnoringCase(L" Yes"));
    EXPECT_FALSE(IsYesIgnoringCase(L"Yes "));
    EXPECT_FALSE(IsYesIgnoringCase(L"1"));
    EXPECT_FALSE(IsYesIgnoringCase(L""));
    EXPECT_EQ(WithFallbackBlank(L"Yes"), L" Yes");
    EXPECT_EQ(WithFallbackBlank(L" -Xmx1g"), L" -Xmx1g");
    EXPECT_EQ(WithFallbackBlank(L""), L"");
}

TEST(SettingValues, VersionBounds) {
    EXPECT_EQ(ParseMinimumVersion(L"1.6"), (Version{{1, 6, 0, 0}, 2}));
    EXPECT_EQ(ParseMaximumVersion(L"1.6"), (Version{{1, 6, 65535, 65535}, 2}));
    EXPECT_EQ(ParseMinimumVersion(L"any"), (Version{{0, 0, 0, 0}, 4}));
    EXPECT_EQ(ParseMaximumVersion(L"any"), (Version{{65535, 65535, 65535, 65535}, 4}));
    // Absent: nothing passes the upper bound; "Any" is not the word "any".
    EXPECT_EQ(ParseMaximumVersion(L""), (Version{{0, 0, 0, 0}, 0}));
    EXPECT_EQ(ParseMaximumVersion(L"Any"), (Version{{0, 0, 0, 0}, 0}));
}

TEST(SettingValues, PreferredVersionsKeepInnerEmptyPieces) {
    using List = std::vector<std::wstring>;
    EXPECT_EQ(SplitPreferredVersions(L""), List{});
    EXPECT_EQ(SplitPreferredVersions(L"1.8"), List{L"1.8"});
    EXPECT_EQ(SplitPreferredVersions(L"1.8;;1.7;"), (List{L"1.8", L"", L"1.7"}));
    EXPECT_EQ(SplitPreferredVersions(L";1.7"), (List{L"", L"1.7"}));
}

TEST(SettingValues, JvmTypeIsExact) {
    EXPECT_EQ(ParseJvmType(L"server"), kJvmTypeServer);
    EXPECT_EQ(ParseJvmType(L"favor_server"), kJvmTypeFavorServer);
    EXPECT_EQ(ParseJvmType(L"Server"), kJvmTypeAny);
    EXPECT_EQ(ParseJvmType(L" server"), kJvmTypeAny);
    EXPECT_EQ(ParseJvmType(L""), kJvmTypeAny);
}

TEST(SettingValues, JvmSourceTable) {
    struct Row {
        const wchar_t* value;
        bool favorKind, allowJdk, allowJre;
    };
    const Row rows[] = {
        {L"", true, true, true},
        {L"favor_JRE", true, false, true},
        {L"favor_JDK", true, true, false},
        {L"only_JDK", false, true, false},
        {L"only_JRE", false, false, true},
        {L"favor_jdk", false, false, false},
        {L"anything", false, false, false},
    };
    for (const Row& row : rows) {
        LauncherSettings settings;
        ApplyJvmSource(row.value, settings);
        EXPECT_EQ(settings.favorKind, row.favorKind) << testing::PrintToString(row.value);
        EXPECT_EQ(settings.allowJdk, row.allowJdk) << testing::PrintToString(row.value);
        EXPECT_EQ(settings.allowJre, row.allowJre) << testing::PrintToString(row.value);
    }
}

TEST(SettingValues, VmProviderTableIgnoresCase) {
    struct Row {
        const wchar_t* value;
        bool matches;
        ProviderFlags flags;
    };
    const Row rows[] = {
        {L"jrockit", true, {1, 1, 0, 0, 0, 0}},
        {L"ibm", true, {0, 0, 0, 0, 1, 1}},
        {L"IBM", true, {0, 0, 0, 0, 1, 1}},
        {L"favor_sun", true, {1, 0, 1, 1, 1, 0}},
        {L"Favor_JRockit", true, {1, 1, 1, 0, 1, 0}},
        {L"favor_ibm", true, {1, 0, 1, 0, 1, 1}},
        {L"ANY", true, {1, 0, 1, 0, 1, 0}},
        // The defaults stay for anything else.
        {L"oracle", false, {0, 0, 1, 1, 0, 0}},
        {L" ibm", false, {0, 0, 1, 1, 0, 0}},
    };
    EXPECT_EQ(FlagsOf(LauncherSettings{}), (ProviderFlags{0, 0, 1, 1, 0, 0}));
    for (const Row& row : rows) {
        LauncherSettings settings;
        EXPECT_EQ(ApplyVmProvider(row.value, settings), row.matches);
        EXPECT_EQ(FlagsOf(settings), row.flags) << testing::PrintToString(row.value);
    }
}

TEST(SettingValues, MainClassInInternalForm) {
    EXPECT_EQ(InternalClassName(L"com.example.App"), L"com/example/App");
    EXPECT_EQ(InternalClassName(L"com/example/App"), L"com/example/App");
}

}  // namespace
}  // namespace launcher
