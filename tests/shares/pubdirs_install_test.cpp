// pubdirs.dll in real installations: each test installs and removes a package with msiexec
// and reads from the verbose log what the deferred actions received. In the test packages the
// deferred actions are share_data_probe.dll, which logs its "CustomActionData" as
// "share-data-probe <kind>: <data> :end" with the separator written as <01>.
#include "msiexec_run.h"
#include "run_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace shares_testing;
using testing_support::Quoted;

const std::string kUpgradeCode = "{5A0C7E21-3B7D-4C1E-9F52-7D1A2B3C4D00}";
const std::string kSep = "<01>";

// The data the probe received for one kind of action, in the order of the calls.
std::vector<std::string> Received(const Installation& installation, const std::string& kind) {
    const std::string prefix = "share-data-probe " + kind + ": ";
    const std::string suffix = " :end";
    std::vector<std::string> data;
    for (const std::string& line : Lines(installation.log)) {
        const size_t at = line.find(prefix);
        if (at != std::string::npos && line.size() >= at + prefix.size() + suffix.size() &&
            line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0) {
            data.push_back(
                line.substr(at + prefix.size(), line.size() - at - prefix.size() - suffix.size()));
        }
    }
    return data;
}

std::multiset<std::string> ReceivedSet(const Installation& installation, const std::string& kind) {
    const std::vector<std::string> data = Received(installation, kind);
    return {data.begin(), data.end()};
}

std::string Join(std::initializer_list<std::string> fields) {
    std::string text;
    for (const std::string& field : fields) {
        text += (text.empty() && &field == fields.begin() ? "" : kSep) + field;
    }
    return text;
}

std::string LongText() {
    std::string text;
    for (int i = 0; i < 120; ++i) {
        text += "Beschreibung ";
    }
    return text;
}

TEST(PubDirsInstall, SchedulesOneShareActionPerRowWhoseComponentIsInstalled) {
    RemovedAtEnd cleanup{L"scheduling"};
    const Installation install = Install(L"scheduling");
    ASSERT_EQ(install.exitCode, 0u);
    ExpectNoCrash(install);
    const std::string exchange = LoggedProperty(install, "EXCHANGEDIR");
    const std::string templates = LoggedProperty(install, "TEMPLATESDIR");
    ASSERT_TRUE(Contains(exchange, "\\Tessaly\\Austausch\\")) << exchange;

    // Bracketed references resolved in name, description and permissions; user limit and
    // options raw; empty Options arrive as a trailing separator; an unknown directory
    // property or an empty Directory value gives an empty folder field; long values whole;
    // a row without a component is skipped (its condition does not evaluate).
    EXPECT_EQ(
        ReceivedSet(install, "share"),
        (std::multiset<std::string>{
            Join({exchange, "TessalyAustausch", "Austausch von Tessaly Beispiel", "-1",
                  "Everyone/1179817|Administrators/2032127", kUpgradeCode, "Exchange", "0"}),
            Join({templates, "TessalyVorlagen", "Vorlagen", "10", "Everyone/1179817", kUpgradeCode,
                  "Templates", "2"}),
            Join({exchange, "Widened", "oder", "1", "", kUpgradeCode, "Widened", "1"}),
            Join({exchange, "Sparse", "", "", "", kUpgradeCode, "Sparse", ""}),
            Join({"", "NoFolder", "ohne Ordner", "2", "", kUpgradeCode, "NoFolder", "0"}),
            Join({"", "EmptyDirectory", "leer", "1", "", kUpgradeCode, "EmptyDirectory", "0"}),
            Join({exchange, "Long", LongText(), "3", "Everyone/" + std::string(1100, '7'),
                  kUpgradeCode, "Long", "0"}),
        }));
    // The progress message shows folder and formatted share name.
    EXPECT_TRUE(Contains(install.log, "Ordner: " + exchange + ", Freigabe: TessalyAustausch"));
    // The package's German action texts arrive with their umlauts.
    EXPECT_TRUE(Contains(install.log, "TS_RollbackSHFolders. Freigaben werden zurückgenommen"));

    // Removal: every row whose component goes away; the extra condition is not consulted.
    const Installation removal = Remove(L"scheduling");
    cleanup.removed = removal.exitCode == 0;
    EXPECT_EQ(removal.exitCode, 0u);
    ExpectNoCrash(removal);
    EXPECT_EQ(ReceivedSet(removal, "removal"),
              (std::multiset<std::string>{
                  Join({"Exchange", kUpgradeCode}), Join({"Templates", kUpgradeCode}),
                  Join({"Skipped", kUpgradeCode}), Join({"Malformed", kUpgradeCode}),
                  Join({"Widened", kUpgradeCode}), Join({"Sparse", kUpgradeCode}),
                  Join({"NoFolder", kUpgradeCode}), Join({"Long", kUpgradeCode}),
                  Join({"EmptyDirectory", kUpgradeCode})}));
    EXPECT_TRUE(Received(removal, "share").empty());
}

TEST(PubDirsInstall, RowsOfComponentsNotInstalledAreLeftAlone) {
    RemovedAtEnd cleanup{L"scheduling"};
    const Installation install = Install(L"scheduling", L"ADDLOCAL=Complete");
    ASSERT_EQ(install.exitCode, 0u);
    for (const std::string& data : Received(install, "share")) {
        EXPECT_FALSE(Contains(data, "Templates")) << data;
    }
    EXPECT_EQ(Received(install, "share").size(), 6u);

    const Installation removal = Remove(L"scheduling");
    cleanup.removed = removal.exitCode == 0;
    EXPECT_EQ(removal.exitCode, 0u);
    EXPECT_EQ(Received(removal, "removal").size(), 8u);
    for (const std::string& data : Received(removal, "removal")) {
        EXPECT_FALSE(Contains(data, "Templates")) << data;
    }
}

TEST(PubDirsInstall, ReinstallSchedulesNothingForInstalledComponents) {
    RemovedAtEnd cleanup{L"scheduling"};
    ASSERT_EQ(Install(L"scheduling").exitCode, 0u);
    // "Widened" carries the condition "TS_UNSET OR 1": it must not widen the component test.
    const Installation repair = RunMsiexec(
        L"/i " + Quoted(PackagePath(L"scheduling")) + L" REINSTALL=ALL REINSTALLMODE=vomus",
        L"scheduling-reinstall");
    EXPECT_EQ(repair.exitCode, 0u);
    ExpectNoCrash(repair);
    EXPECT_TRUE(Contains(repair.log, "TS_ProcessFolders")) << "the action did not run";
    EXPECT_EQ(Received(repair, "share"), std::vector<std::string>{});
    EXPECT_EQ(Received(repair, "removal"), std::vector<std::string>{});
}

TEST(PubDirsInstall, FailedInstallationRollsBackByShareId) {
    RemovedAtEnd cleanup{L"failing"};
    const Installation install = Install(L"failing");
    EXPECT_EQ(install.exitCode, static_cast<DWORD>(ERROR_INSTALL_FAILURE));
    cleanup.removed = install.exitCode == ERROR_INSTALL_FAILURE;
    ExpectNoCrash(install);
    ASSERT_TRUE(Contains(install.log, "share-data-probe fail"));
    // The rollback undoes the bookkeeping entry named by the ShareId, not by the share name.
    EXPECT_EQ(ReceivedSet(install, "rollback"),
              (std::multiset<std::string>{
                  Join({"Exchange", kUpgradeCode}), Join({"Templates", kUpgradeCode}),
                  Join({"Widened", kUpgradeCode}), Join({"Sparse", kUpgradeCode}),
                  Join({"NoFolder", kUpgradeCode}), Join({"Long", kUpgradeCode}),
                  Join({"EmptyDirectory", kUpgradeCode})}));
}

TEST(PubDirsInstall, MissingUpgradeCodeLeavesItsFieldEmpty) {
    RemovedAtEnd cleanup{L"no_upgrade_code"};
    const Installation install = Install(L"no_upgrade_code");
    ASSERT_EQ(install.exitCode, 0u);
    const std::string exchange = LoggedProperty(install, "EXCHANGEDIR");
    const std::vector<std::string> shares = Received(install, "share");
    EXPECT_NE(std::find(shares.begin(), shares.end(),
                        Join({exchange, "TessalyAustausch", "Austausch von Tessaly Beispiel", "-1",
                              "Everyone/1179817|Administrators/2032127", "", "Exchange", "0"})),
              shares.end());
    const Installation removal = Remove(L"no_upgrade_code");
    cleanup.removed = removal.exitCode == 0;
    EXPECT_EQ(removal.exitCode, 0u);
    const std::vector<std::string> removals = Received(removal, "removal");
    EXPECT_NE(std::find(removals.begin(), removals.end(), "Exchange" + kSep), removals.end());
}

TEST(PubDirsInstall, PackageWithoutTheTableInstallsAndRemoves) {
    RemovedAtEnd cleanup{L"no_table"};
    const Installation install = Install(L"no_table");
    EXPECT_EQ(install.exitCode, 0u);
    ExpectNoCrash(install);
    EXPECT_TRUE(Contains(install.log, "TS_ProcessFolders")) << "the action did not run";
    EXPECT_FALSE(Contains(install.log, "share-data-probe"));
    const Installation removal = Remove(L"no_table");
    cleanup.removed = removal.exitCode == 0;
    EXPECT_EQ(removal.exitCode, 0u);
    ExpectNoCrash(removal);
    EXPECT_FALSE(Contains(removal.log, "share-data-probe"));
}

TEST(PubDirsInstall, ValueWithTheSeparatorFailsTheInstallationWithAReason) {
    RemovedAtEnd cleanup{L"separator"};
    const Installation install = Install(L"separator");
    EXPECT_EQ(install.exitCode, static_cast<DWORD>(ERROR_INSTALL_FAILURE));
    cleanup.removed = install.exitCode == ERROR_INSTALL_FAILURE;
    ExpectNoCrash(install);
    EXPECT_TRUE(Contains(install.log, "TS_SharedFolders: Zeile \"Exchange\" abgelehnt: ShareName"))
        << install.log;
    for (const std::string& data : Received(install, "share")) {
        EXPECT_FALSE(Contains(data, "Exchange")) << data;
    }
    for (const std::string& data : Received(install, "rollback")) {
        EXPECT_FALSE(Contains(data, "Exchange")) << data;
    }
}

TEST(PubDirsInstall, SamplePackageInstallsAndRemoves) {
    RemovedAtEnd cleanup{L"pubdirs-sample"};
    const Installation install = Install(L"pubdirs-sample");
    EXPECT_EQ(install.exitCode, 0u);
    ExpectNoCrash(install);
    const std::string exchange = LoggedProperty(install, "EXCHANGEDIR");
    EXPECT_TRUE(Contains(install.log, "Ordner: " + exchange + ", Freigabe: TessalyAustausch"));
    EXPECT_TRUE(Contains(install.log, "TS_PubDirs"));
    const Installation removal = Remove(L"pubdirs-sample");
    cleanup.removed = removal.exitCode == 0;
    EXPECT_EQ(removal.exitCode, 0u);
    ExpectNoCrash(removal);
    EXPECT_TRUE(Contains(removal.log, "TS_RemoveSHFolders"));
}

}  // namespace
