#include <gtest/gtest.h>

#include "runtime/candidate_order.h"
#include "runtime/registry_sources.h"

namespace launcher {
namespace {

Version V(std::wstring_view text, std::int32_t fill = 0) {
    Version version;
    ParseVersion(text, fill, version);
    return version;
}

RuntimeCandidate C(std::wstring_view version, const wchar_t* home, bool server = false,
                   bool preferred = true) {
    return {V(version), home, server, preferred};
}

std::vector<std::wstring> Homes(const std::vector<RuntimeCandidate>& candidates) {
    std::vector<std::wstring> homes;
    for (const RuntimeCandidate& c : candidates) {
        homes.push_back(c.home);
    }
    return homes;
}

// Which of the seven sources a settings record searches, and which count as preferred.
std::string Searched(const LauncherSettings& s) {
    std::string rows;
    for (const RegistrySource& source : kRegistrySources) {
        rows += IsSourceSearched(source, s) ? (IsSourcePreferred(source, s) ? 'P' : 's') : '-';
    }
    return rows;
}

TEST(RegistrySources, RowConditionsFollowKindAndVendor) {
    LauncherSettings s;  // sun only, both kinds
    EXPECT_EQ(Searched(s), "PPPP---");

    s.acceptSun = s.preferSun = false;  // "ibm"
    s.acceptIbm = s.preferIbm = true;
    EXPECT_EQ(Searched(s), "------P");

    s = {};  // "favor_ibm": every vendor, IBM preferred
    s.acceptJrockit = s.acceptIbm = s.preferIbm = true;
    s.preferSun = false;
    EXPECT_EQ(Searched(s), "ssssssP");

    s = {};  // "jrockit": JRockit only, preferred
    s.acceptSun = s.preferSun = false;
    s.acceptJrockit = s.preferJrockit = true;
    EXPECT_EQ(Searched(s), "----PP-");

    s = {};  // "favor_JRE": JDKs still searched, but not preferred
    s.allowJdk = false;
    EXPECT_EQ(Searched(s), "sPsP---");

    s.favorKind = false;  // "only_JRE": JDK rows not searched at all
    EXPECT_EQ(Searched(s), "-P-P---");

    s.allowJre = false;  // an unknown "JVM Source": nothing is searched
    EXPECT_EQ(Searched(s), "-------");

    // A vendor that is preferred but not accepted is still searched.
    s = {};
    s.acceptSun = false;
    EXPECT_EQ(Searched(s), "PPPP---");
}

TEST(CandidateOrder, VersionBounds) {
    const Version min16 = V(L"1.6");
    const Version maxAny{{65535, 65535, 65535, 65535}, 4};
    EXPECT_TRUE(WithinVersionBounds(V(L"1.8.0_251"), min16, maxAny));
    EXPECT_TRUE(WithinVersionBounds(V(L"1.6"), min16, maxAny));  // equal passes
    EXPECT_FALSE(WithinVersionBounds(V(L"1.5.0_22"), min16, maxAny));
    // An absent maximum is 0.0.0.0: nothing passes.
    EXPECT_FALSE(WithinVersionBounds(V(L"1.8"), min16, Version{}));
    // A maximum of 1.7 holds 1.7.65535.65535.
    EXPECT_TRUE(WithinVersionBounds(V(L"1.7.0_80"), min16, V(L"1.7", 65535)));
    EXPECT_FALSE(WithinVersionBounds(V(L"1.8.0"), min16, V(L"1.7", 65535)));
}

TEST(CandidateOrder, HigherVersionsFirstAndTiesKeepTheirOrder) {
    std::vector<RuntimeCandidate> c{C(L"1.7.0_80", L"a"), C(L"1.8.0_251", L"b"),
                                    C(L"1.7.0_80", L"c"), C(L"11.0.2", L"d")};
    OrderCandidates(c, true, kJvmTypeAny);
    EXPECT_EQ(Homes(c), (std::vector<std::wstring>{L"d", L"b", L"a", L"c"}));
}

TEST(CandidateOrder, PreferenceBeforeServerBeforeVersion) {
    const std::vector<RuntimeCandidate> found{
        C(L"1.8", L"sun18", false, false), C(L"1.6", L"ibm16", false, true),
        C(L"1.7", L"sun17server", true, false), C(L"1.5", L"ibm15server", true, true)};

    std::vector<RuntimeCandidate> c = found;
    OrderCandidates(c, true, kJvmTypeAny);
    EXPECT_EQ(Homes(c),
              (std::vector<std::wstring>{L"ibm16", L"ibm15server", L"sun18", L"sun17server"}));
    c = found;
    OrderCandidates(c, true, kJvmTypeFavorServer);
    EXPECT_EQ(Homes(c),
              (std::vector<std::wstring>{L"ibm15server", L"ibm16", L"sun17server", L"sun18"}));
    // Without favorKind the preference does not order.
    c = found;
    OrderCandidates(c, false, kJvmTypeFavorServer);
    EXPECT_EQ(Homes(c),
              (std::vector<std::wstring>{L"sun17server", L"ibm15server", L"sun18", L"ibm16"}));
}

TEST(CandidateOrder, PreferredVersionsMatchTheGivenComponents) {
    EXPECT_TRUE(MatchesPreferredVersion(V(L"1.7.0_80"), V(L"1.7")));
    EXPECT_FALSE(MatchesPreferredVersion(V(L"1.8.0_251"), V(L"1.7")));
    EXPECT_TRUE(MatchesPreferredVersion(V(L"1.8.0_251"), V(L"1.8.0_251")));
    EXPECT_FALSE(MatchesPreferredVersion(V(L"1.8.0_252"), V(L"1.8.0_251")));
    // Zeros count only at the end: 1.0.0.5 asks for exactly that.
    EXPECT_FALSE(MatchesPreferredVersion(V(L"1.7.0.5"), V(L"1.0.0.5")));
    EXPECT_TRUE(MatchesPreferredVersion(V(L"17.0.2"), V(L"0")));

    std::vector<RuntimeCandidate> c{C(L"1.8.0_251", L"b"), C(L"1.7.0_80", L"a")};
    OrderCandidates(c, true, kJvmTypeAny);
    EXPECT_EQ(c[ChooseCandidate(c, {})].home, L"b");
    EXPECT_EQ(c[ChooseCandidate(c, {L"1.7"})].home, L"a");
    // The list's order decides, not the candidates'.
    EXPECT_EQ(c[ChooseCandidate(c, {L"1.6", L"1.7", L"1.8"})].home, L"a");
    EXPECT_EQ(c[ChooseCandidate(c, {L"1.5"})].home, L"b");
    // A text without a version matches the first candidate.
    EXPECT_EQ(c[ChooseCandidate(c, {L"", L"1.7"})].home, L"b");
}

}  // namespace
}  // namespace launcher
