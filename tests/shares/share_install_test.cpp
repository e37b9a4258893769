// Shares made, counted and removed by pubdirs.dll in msiexec installations, observed in the
// stand-in netapi32 and in the registry. Packages: shares_a and shares_b (one family),
// shares_failing (its last share action fails; shares_b_failing the same as a product of the
// family), shares_no_upgrade (no UpgradeCode).
#include <gtest/gtest.h>

#include <set>

#include "msiexec_run.h"
#include "share_test_support.h"

namespace shares_testing {
namespace {

using Aces = std::multiset<std::string>;

Aces AcesOf(const netapi_double::LoggedCall& call) {
    return {call.aces.begin(), call.aces.end()};
}

std::string WithoutTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

using ShareInstall = ShareTest;

TEST_F(ShareInstall, OneFamilyCountsItsSharesTogether) {
    RemovedAtEnd first{L"shares_a"};
    RemovedAtEnd second{L"shares_b"};
    const Installation install = Install(L"shares_a");
    ASSERT_EQ(install.exitCode, 0u);
    ExpectNoCrash(install);
    const std::string exchange = WithoutTrailingBackslash(LoggedProperty(install, "EXCHANGEDIR"));

    const auto adds = Calls("NetShareAdd", "TessalyAustausch");
    ASSERT_EQ(adds.size(), 1u);
    EXPECT_EQ(adds[0].result, 0);
    const std::map<std::string, std::string> record{
        {"servername", "(null)"},
        {"level", "502"},
        {"shi502_netname", "TessalyAustausch"},
        {"shi502_type", "0"},
        {"shi502_remark", "Austausch von Tessaly Beispiel"},
        {"shi502_permissions", "127"},
        {"shi502_max_uses", "-1"},
        {"shi502_current_uses", "0"},
        {"shi502_path", exchange},
        {"shi502_passwd", "(null)"},
        {"shi502_reserved", "0"},
        {"shi502_security_descriptor", "revision 1 absolute"},
        {"owner", "(none)"},
        {"group", "(none)"},
        {"dacl", "2 entries"}};
    EXPECT_EQ(adds[0].fields, record);
    EXPECT_EQ(AcesOf(adds[0]), (Aces{"ALLOWED flags=0 mask=1179817 sid=S-1-1-0",
                                     "ALLOWED flags=0 mask=2032127 sid=S-1-5-32-544"}));
    // Trustee words in any case, the later entry for one trustee winning, a mask with
    // trailing letters; an empty user limit is no limit.
    const auto templates = Calls("NetShareAdd", "TessalyVorlagen");
    ASSERT_EQ(templates.size(), 1u);
    EXPECT_EQ(AcesOf(templates[0]), (Aces{"ALLOWED flags=0 mask=1179817 sid=S-1-1-0",
                                          "ALLOWED flags=0 mask=2032127 sid=S-1-5-32-544"}));
    EXPECT_EQ(templates[0].fields.at("shi502_max_uses"), "-1");
    // An empty permissions text: a present but null access list.
    EXPECT_EQ(Calls("NetShareAdd", "TessalyFragen").at(0).fields.at("dacl"), "null");
    EXPECT_EQ(Share(L"TessalyWurzel").value_or(netapi_double::ShareRecord{}).path, L"C:\\");
    // A missing folder and an empty folder path share nothing, silently.
    EXPECT_TRUE(Calls("NetShareAdd", "TessalyFehlt").empty());
    EXPECT_TRUE(Calls("NetShareAdd", "TessalyOhnePfad").empty());
    EXPECT_FALSE(Share(L"TessalyUngueltig")) << "an entry without a mask names nobody";

    // The library's bookkeeping lands in the registry view of its own bitness.
    EXPECT_EQ(Count(kFamilyKey, L"Exchange"), 1u);
    EXPECT_EQ(StoredName(kFamilyKey, L"Exchange_ID"), L"TessalyAustausch");
    EXPECT_FALSE(Count(kFamilyKey, L"Missing"));
    EXPECT_FALSE(Count(kFamilyKey, L"BadEntry"));
#ifdef _WIN64
    EXPECT_TRUE(KeyExists(L"Software\\Vantrel", KEY_WOW64_64KEY));
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel", KEY_WOW64_32KEY));
#else
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel", KEY_WOW64_64KEY));
    EXPECT_TRUE(KeyExists(L"Software\\Wow6432Node\\Vantrel", KEY_WOW64_64KEY));
#endif

    // The product's record: the share ids it counted, and no other.
    const std::set<std::wstring> counted{L"Exchange", L"Templates", L"Ask",  L"Replace",
                                         L"Skip",     L"Root",      L"Renew"};
    EXPECT_EQ(Record(kFamilyKey, kProductA), counted);

    // A second product of the family replaces the share and counts it again.
    ASSERT_EQ(Install(L"shares_b").exitCode, 0u);
    EXPECT_EQ(Count(kFamilyKey, L"Exchange"), 2u);
    EXPECT_EQ(Calls("NetShareDel", "TessalyAustausch").size(), 1u);
    EXPECT_EQ(Calls("NetShareAdd", "TessalyAustausch").size(), 2u);
    EXPECT_EQ(Record(kFamilyKey, kProductB), counted);

    first.removed = Remove(L"shares_a").exitCode == 0;
    EXPECT_TRUE(first.removed);
    EXPECT_EQ(Count(kFamilyKey, L"Exchange"), 1u);
    EXPECT_TRUE(Share(L"TessalyAustausch"));
    EXPECT_FALSE(Record(kFamilyKey, kProductA));
    EXPECT_EQ(Record(kFamilyKey, kProductB), counted);

    second.removed = Remove(L"shares_b").exitCode == 0;
    EXPECT_TRUE(second.removed);
    EXPECT_TRUE(netapi_double::ReadShareTable(folder_).empty());
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel")) << "empty keys are removed";
    EXPECT_TRUE(KeyExists(L"Software"));
}

TEST_F(ShareInstall, ForeignSharesAndRefusalsMeetEachOption) {
    RemovedAtEnd cleanup{L"shares_a"};
    for (const wchar_t* name :
         {L"TessalyFragen", L"TessalyErsetzen", L"TessalyAuslassen", L"TessalyBehalten"}) {
        SeedForeignShare(name);
    }
    for (const wchar_t* name : {L"TessalyAustausch", L"TessalyErneuern", L"TessalyVorlagen"}) {
        ASSERT_TRUE(
            netapi_double::AddRefusal(folder_, {L"NetShareAdd", name, ERROR_ACCESS_DENIED}));
    }
    // Quietly the question is answered without Abort: the installation goes on.
    const Installation install = Install(L"shares_a");
    ASSERT_EQ(install.exitCode, 0u);
    ExpectNoCrash(install);
    // Error 4105 (the package's German template, its quotation marks intact) for Options 0
    // only, with the reason; an entry without a mask goes the same way.
    const auto asked = [&](const std::string& share) {
        return Contains(install.log, "„" + share + "“ freigegeben werden: ");
    };
    EXPECT_TRUE(Contains(install.log, "„TessalyFragen“ freigegeben werden: Fehler 2118"));
    EXPECT_TRUE(asked("TessalyAustausch"));
    EXPECT_TRUE(asked("TessalyUngueltig"));
    EXPECT_FALSE(asked("TessalyErsetzen") || asked("TessalyErneuern") ||
                 asked("TessalyAuslassen") || asked("TessalyVorlagen"));

    // Options 0 and 2 leave a foreign share alone; Options 1 takes it over and counts it.
    EXPECT_EQ(Share(L"TessalyFragen").value().path, folder_);
    EXPECT_EQ(Share(L"TessalyAuslassen").value().path, folder_);
    EXPECT_NE(Share(L"TessalyErsetzen").value().path, folder_);
    EXPECT_FALSE(Count(kFamilyKey, L"Ask"));
    EXPECT_FALSE(Count(kFamilyKey, L"Skip"));
    EXPECT_EQ(Count(kFamilyKey, L"Replace"), 1u);
    EXPECT_TRUE(Calls("NetShareDel", "TessalyAuslassen").empty());
    // Options 1 with an empty permission entry: no second attempt could succeed, so the
    // foreign share is not deleted for nothing.
    EXPECT_EQ(Share(L"TessalyBehalten").value().path, folder_);
    EXPECT_TRUE(Calls("NetShareDel", "TessalyBehalten").empty());
    // Refused shares are not counted, whatever the option; Options 1 tried once more.
    for (const wchar_t* id : {L"Exchange", L"Renew", L"Templates"}) {
        EXPECT_FALSE(Count(kFamilyKey, id)) << id;
    }
    EXPECT_EQ(Calls("NetShareAdd", "TessalyAustausch").size(), 1u);
    EXPECT_EQ(Calls("NetShareAdd", "TessalyErneuern").size(), 2u);
    EXPECT_EQ(Calls("NetShareDel", "TessalyErneuern").size(), 1u);
    EXPECT_EQ(Calls("NetShareAdd", "TessalyVorlagen").size(), 1u);

    cleanup.removed = Remove(L"shares_a").exitCode == 0;
    EXPECT_TRUE(cleanup.removed);
    EXPECT_TRUE(Share(L"TessalyFragen"));
    EXPECT_TRUE(Share(L"TessalyAuslassen"));
    EXPECT_FALSE(Share(L"TessalyErsetzen"));
}

TEST_F(ShareInstall, ReplacingRetryOfACountedShareIsCounted) {
    RemovedAtEnd first{L"shares_a"};
    RemovedAtEnd second{L"shares_b"};
    ASSERT_EQ(Install(L"shares_a").exitCode, 0u);
    ASSERT_EQ(Count(kFamilyKey, L"Replace"), 1u);
    // The share is not seen, so creating it collides; Options 1 deletes and creates it.
    ASSERT_TRUE(netapi_double::AddRefusal(folder_, {L"NetShareGetInfo", L"TessalyErsetzen", 2310}));
    ASSERT_EQ(Install(L"shares_b").exitCode, 0u);
    EXPECT_EQ(Count(kFamilyKey, L"Replace"), 2u);
    first.removed = Remove(L"shares_a").exitCode == 0;
    EXPECT_TRUE(Share(L"TessalyErsetzen")) << "the other product still uses it";
}

TEST_F(ShareInstall, RemovingAProductTakesNothingItsInstallationDidNotCount) {
    RemovedAtEnd first{L"shares_a"};
    RemovedAtEnd second{L"shares_b"};
    ASSERT_EQ(Install(L"shares_a").exitCode, 0u);
    const auto shareOfA = Share(L"TessalyAustausch");
    ASSERT_TRUE(shareOfA);
    // B replaces A's share, the new share is refused, and the quiet installation goes on
    // without it: A's share is put back as it was.
    ASSERT_TRUE(netapi_double::AddRefusal(folder_, {L"NetShareAdd", L"TessalyAustausch", 5, 1}));
    ASSERT_EQ(Install(L"shares_b").exitCode, 0u);
    EXPECT_EQ(Calls("NetShareDel", "TessalyAustausch").size(), 1u);
    ASSERT_EQ(Calls("NetShareAdd", "TessalyAustausch").size(), 3u);
    EXPECT_EQ(Calls("NetShareAdd", "TessalyAustausch")[2].result, 0);
    ASSERT_TRUE(Share(L"TessalyAustausch"));
    EXPECT_EQ(Share(L"TessalyAustausch")->descriptor, shareOfA->descriptor);
    EXPECT_EQ(Share(L"TessalyAustausch")->remark, shareOfA->remark);
    EXPECT_EQ(Count(kFamilyKey, L"Exchange"), 1u);
    EXPECT_EQ(Count(kFamilyKey, L"Templates"), 2u);
    EXPECT_FALSE(
        Record(kFamilyKey, kProductB).value_or(std::set<std::wstring>{}).contains(L"Exchange"));
    EXPECT_TRUE(
        Record(kFamilyKey, kProductB).value_or(std::set<std::wstring>{}).contains(L"Templates"));

    second.removed = Remove(L"shares_b").exitCode == 0;
    EXPECT_TRUE(second.removed);
    EXPECT_EQ(Count(kFamilyKey, L"Exchange"), 1u);
    EXPECT_TRUE(Share(L"TessalyAustausch"));
    EXPECT_EQ(Calls("NetShareDel", "TessalyAustausch").size(), 1u);
    EXPECT_EQ(Count(kFamilyKey, L"Templates"), 1u);
    EXPECT_FALSE(Record(kFamilyKey, kProductB));

    first.removed = Remove(L"shares_a").exitCode == 0;
    EXPECT_TRUE(first.removed);
    EXPECT_FALSE(Share(L"TessalyAustausch"));
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel"));
}

TEST_F(ShareInstall, RollbackTakesNothingItsInstallationDidNotCount) {
    RemovedAtEnd first{L"shares_a"};
    RemovedAtEnd failing{L"shares_b_failing"};
    ASSERT_EQ(Install(L"shares_a").exitCode, 0u);
    // B cannot make A's share: it sees the name free, collides, and goes on without it.
    ASSERT_TRUE(
        netapi_double::AddRefusal(folder_, {L"NetShareGetInfo", L"TessalyAustausch", 2310}));
    const Installation install = Install(L"shares_b_failing");
    EXPECT_EQ(install.exitCode, static_cast<DWORD>(ERROR_INSTALL_FAILURE));
    failing.removed = install.exitCode == ERROR_INSTALL_FAILURE;
    ExpectNoCrash(install);
    EXPECT_EQ(Count(kFamilyKey, L"Exchange"), 1u);
    EXPECT_TRUE(Share(L"TessalyAustausch"));
    EXPECT_TRUE(Calls("NetShareDel", "TessalyAustausch").empty());
    // What it did count goes back to A's count, and its record with it.
    EXPECT_EQ(Count(kFamilyKey, L"Templates"), 1u);
    EXPECT_TRUE(Share(L"TessalyVorlagen"));
    EXPECT_FALSE(Record(kFamilyKey, L"{5A0C7E21-3B7D-4C1E-9F52-7D1A2B3CF005}"));
    EXPECT_TRUE(
        Record(kFamilyKey, kProductA).value_or(std::set<std::wstring>{}).contains(L"Exchange"));
}

TEST_F(ShareInstall, InstallationWithoutARecordIsCountedDown) {
    RemovedAtEnd first{L"shares_a"};
    RemovedAtEnd second{L"shares_b"};
    ASSERT_EQ(Install(L"shares_a").exitCode, 0u);
    ASSERT_EQ(Install(L"shares_b").exitCode, 0u);
    // A as an earlier build leaves it: count and name, no record.
    ASSERT_EQ(::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kFamilyKey.c_str(), kProductA.c_str()),
              ERROR_SUCCESS);

    first.removed = Remove(L"shares_a").exitCode == 0;
    EXPECT_TRUE(first.removed);
    EXPECT_EQ(Count(kFamilyKey, L"Exchange"), 1u);
    EXPECT_TRUE(Share(L"TessalyAustausch"));

    second.removed = Remove(L"shares_b").exitCode == 0;
    EXPECT_TRUE(second.removed);
    EXPECT_TRUE(netapi_double::ReadShareTable(folder_).empty());
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel"));
}

TEST_F(ShareInstall, ASharedNameThatCannotBeDeletedOrIsGoneAlready) {
    RemovedAtEnd first{L"shares_a"};
    RemovedAtEnd second{L"shares_b"};
    ASSERT_EQ(Install(L"shares_a").exitCode, 0u);
    ASSERT_TRUE(netapi_double::AddRefusal(
        folder_, {L"NetShareDel", L"TessalyAustausch", ERROR_ACCESS_DENIED}));
    // Replacing the family's share needs it deleted first: refused, it stays as it was and
    // is not counted again; the installation goes on.
    ASSERT_EQ(Install(L"shares_b").exitCode, 0u);
    EXPECT_EQ(Calls("NetShareDel", "TessalyAustausch").size(), 1u);
    EXPECT_EQ(Calls("NetShareAdd", "TessalyAustausch").size(), 1u);
    EXPECT_EQ(Count(kFamilyKey, L"Exchange"), 1u);
    second.removed = Remove(L"shares_b").exitCode == 0;
    EXPECT_TRUE(second.removed);

    // The last removal: a share that cannot be deleted, and one that is gone already, both
    // lose their count and name; the removal succeeds.
    auto shares = netapi_double::ReadShareTable(folder_);
    std::erase_if(shares, [](const auto& share) { return share.netname == L"TessalyVorlagen"; });
    ASSERT_TRUE(netapi_double::WriteShareTable(folder_, shares));
    const Installation removal = Remove(L"shares_a");
    first.removed = removal.exitCode == 0;
    EXPECT_EQ(removal.exitCode, 0u);
    ExpectNoCrash(removal);
    EXPECT_EQ(Calls("NetShareDel", "TessalyAustausch").size(), 2u);
    EXPECT_TRUE(Share(L"TessalyAustausch")) << "the refused deletion";
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel"));
}

TEST_F(ShareInstall, FailedInstallationTakesBackItsSharesAndCounts) {
    RemovedAtEnd cleanup{L"shares_failing"};
    const Installation install = Install(L"shares_failing");
    EXPECT_EQ(install.exitCode, static_cast<DWORD>(ERROR_INSTALL_FAILURE));
    cleanup.removed = install.exitCode == ERROR_INSTALL_FAILURE;
    ExpectNoCrash(install);
    // Created, then removed by the rollback through its ShareId "Exchange".
    ASSERT_EQ(Calls("NetShareAdd", "TessalyAustausch").size(), 1u);
    EXPECT_EQ(Calls("NetShareAdd", "TessalyAustausch")[0].result, 0);
    EXPECT_EQ(Calls("NetShareDel", "TessalyAustausch").size(), 1u);
    EXPECT_TRUE(netapi_double::ReadShareTable(folder_).empty());
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel"));
}

TEST_F(ShareInstall, PackageWithoutUpgradeCodeRemovesItsShares) {
    RemovedAtEnd cleanup{L"shares_no_upgrade"};
    ASSERT_EQ(Install(L"shares_no_upgrade").exitCode, 0u);
    EXPECT_EQ(Count(L"Software\\Vantrel\\Tessaly\\Shared Folders", L"Exchange"), 1u);
    const Installation removal = Remove(L"shares_no_upgrade");
    cleanup.removed = removal.exitCode == 0;
    EXPECT_EQ(removal.exitCode, 0u);
    EXPECT_TRUE(netapi_double::ReadShareTable(folder_).empty());
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel"));
}

// A large table: many rows, the first with a description and permissions of 10 000
// characters and more. Every share is made and counted once; removal takes back every share
// and count.
TEST_F(ShareInstall, ManyRowsAndValuesOfTenThousandCharacters) {
    RemovedAtEnd cleanup{L"shares_many"};
    const Installation install = Install(L"shares_many");
    ASSERT_EQ(install.exitCode, 0u);
    ExpectNoCrash(install);
    EXPECT_EQ(netapi_double::ReadShareTable(folder_).size(), size_t{TS_MANY_SHARES});
    const auto first = Share(L"TessalyViele1");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->remark, std::wstring(10000, L'x'));
    const auto adds = Calls("NetShareAdd", "TessalyViele1");
    ASSERT_EQ(adds.size(), 1u);
    EXPECT_EQ(AcesOf(adds[0]), (Aces{"ALLOWED flags=0 mask=1179817 sid=S-1-1-0"}));
    for (const int row : {1, 2, TS_MANY_SHARES}) {
        EXPECT_EQ(Count(kFamilyKey, L"S" + std::to_wstring(row)), 1u) << row;
    }

    const Installation removal = Remove(L"shares_many");
    cleanup.removed = removal.exitCode == 0;
    EXPECT_EQ(removal.exitCode, 0u);
    ExpectNoCrash(removal);
    EXPECT_TRUE(netapi_double::ReadShareTable(folder_).empty());
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel"));
}

}  // namespace
}  // namespace shares_testing
