// The runtime search against real registry keys in both views and real runtime folders.
#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/find_runtime.h"
#include "runtime/jvm_library_probe.h"
#include "runtime/pair_bitness.h"
#include "runtime/registry_search.h"
#include "runtime/registry_sources.h"
#include "runtime/requirement_phrase.h"
#include "runtime_folders.h"
#include "scoped_environment.h"
#include "settings/setting_values.h"

namespace launcher {
namespace {

using runtime_testing::Bits;
using support::RegistryView;

// Spelled out rather than taken from the product's table, so that a wrong key name fails.
const std::wstring kJdk = L"Software\\JavaSoft\\JDK\\";
const std::wstring kJre = L"Software\\JavaSoft\\JRE\\";
const std::wstring kOldJdk = L"Software\\JavaSoft\\Java Development Kit\\";
const std::wstring kOldJre = L"Software\\JavaSoft\\Java Runtime Environment\\";
const std::wstring kJrockitJre = L"Software\\JRockit\\Java Runtime Environment\\";
const std::wstring kJrockitJdk = L"Software\\JRockit\\Java Development Kit\\";
const std::wstring kIbmJre = L"Software\\IBM\\Java2 Runtime Environment\\";

// The user, asked at the end of the search, declines.
RuntimeDialogAnswer AskUser(const std::wstring&, int) {
    return {};
}

class RuntimeSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        // Every registry runtime passes unless a test narrows the bounds.
        settings_.minimumVersion = ParseMinimumVersion(L"any");
        settings_.maximumVersion = ParseMaximumVersion(L"any");
    }

    LauncherSettings& Settings() { return settings_; }

    std::vector<std::wstring> CandidateHomes(RegistryView view = RegistryView::Default) {
        std::vector<std::wstring> homes;
        for (const RuntimeCandidate& c : CollectRegistryRuntimes(Settings(), view)) {
            homes.push_back(c.home);
        }
        return homes;
    }
    // The same, whatever the order of the subkeys.
    std::vector<std::wstring> SortedHomes() {
        std::vector<std::wstring> homes = CandidateHomes();
        std::sort(homes.begin(), homes.end());
        return homes;
    }
    static std::vector<std::wstring> Sorted(std::vector<std::wstring> homes) {
        std::sort(homes.begin(), homes.end());
        return homes;
    }

    std::wstring Chosen(RegistryView view = RegistryView::Default) {
        return SearchRegistry(settings_, view).value_or(L"<none>");
    }

    // A program that lies in a folder of its own, so that its folder holds no runtime.
    std::wstring ProgramPath() { return folders_.Root() + L"app\\start.exe"; }

    // No JAVA_HOME unless a test sets one; the run's own comes back afterwards.
    testing_support::ScopedEnvironment javaHome_{L"JAVA_HOME", nullptr};
    runtime_testing::RuntimeFolders folders_;
    runtime_testing::VendorRegistry registry_;
    // The runtime search with the choice kept in chosen_, empty when there is none.
    bool Search(const std::wstring& program) {
        chosen_ = FindRuntimeForProgram(settings_, program, AskUser).value_or(RuntimeChoice{});
        return !chosen_.jvmLibraryPath.empty();
    }
    LauncherSettings settings_;
    RuntimeChoice chosen_;
};

TEST_F(RuntimeSearch, ProbeTakesTheFlavourTheTypeAsksFor) {
    const std::wstring both = folders_.Make(L"both", {L"client", L"server"});
    const std::wstring serverOnly = folders_.Make(L"server", {L"server"});
    const std::wstring jrockit = folders_.Make(L"jrockit", {L"jrockit", L"hotspot"});
    const std::wstring classic = folders_.Make(L"classic", {L"classic", L"hotspot"});

    EXPECT_EQ(FindJvmLibrary(both, kJvmTypeAny).path, both + L"bin\\client\\jvm.dll");
    EXPECT_FALSE(FindJvmLibrary(both, kJvmTypeAny).isServer);
    EXPECT_EQ(FindJvmLibrary(both, kJvmTypeServer).path, both + L"bin\\server\\jvm.dll");
    EXPECT_TRUE(FindJvmLibrary(both, kJvmTypeFavorServer).isServer);
    // "any" never takes the server VM.
    EXPECT_EQ(FindJvmLibrary(serverOnly, kJvmTypeAny).path, L"");
    EXPECT_EQ(FindJvmLibrary(classic, kJvmTypeServer).path, L"");
    EXPECT_EQ(FindJvmLibrary(classic, kJvmTypeFavorServer).path,
              classic + L"bin\\classic\\jvm.dll");
    EXPECT_EQ(FindJvmLibrary(jrockit, kJvmTypeAny).path, jrockit + L"bin\\hotspot\\jvm.dll");

    EXPECT_TRUE(HasJavaMarker(both));
    EXPECT_FALSE(HasJavaMarker(folders_.Make(L"nomarker", {L"client"}, Bits::x86, false)));
}

TEST_F(RuntimeSearch, EverySourceKeyIsRead) {
    const std::wstring jdk = folders_.Make(L"jdk", {L"client"});
    const std::wstring jre = folders_.Make(L"jre", {L"client"});
    const std::wstring oldJdk = folders_.Make(L"oldjdk\\jre", {L"client"});
    const std::wstring oldJre = folders_.Make(L"oldjre", {L"client"});
    const std::wstring jrockitJre = folders_.Make(L"jrockitjre", {L"jrockit"});
    const std::wstring jrockitJdk = folders_.Make(L"jrockitjdk\\jre", {L"jrockit"});
    const std::wstring ibm = folders_.Make(L"ibm", {L"classic"});
    const std::wstring root = folders_.Root();
    const RegistryView view = RegistryView::Default;
    registry_.Register(kJdk, L"17.0.1", root + L"jdk", view);
    registry_.Register(kJre, L"9.0.4", root + L"jre\\", view);
    // The old JDK key names the JDK; its runtime lies in jre\.
    registry_.Register(kOldJdk, L"1.8.0_202", root + L"oldjdk", view);
    registry_.Register(kOldJre, L"1.8", root + L"oldjre", view);
    registry_.Register(kJrockitJre, L"1.6.0_45", root + L"jrockitjre", view);
    registry_.Register(kJrockitJdk, L"1.6.0_29", root + L"jrockitjdk", view);
    registry_.Register(kIbmJre, L"1.7.0", root + L"ibm", view);

    // Each key is read where it lies; which keys a setting searches is the table's business
    // (RegistrySources in runtime_rules_test).
    EXPECT_EQ(CandidateHomes(), (std::vector<std::wstring>{jdk, jre, oldJdk, oldJre}));
    ApplyVmProvider(L"any", Settings());
    EXPECT_EQ(CandidateHomes(),
              (std::vector<std::wstring>{jdk, jre, oldJdk, oldJre, jrockitJre, jrockitJdk, ibm}));
}

TEST_F(RuntimeSearch, SubkeysWithoutAUsableRuntimeAreSkipped) {
    const std::wstring good = folders_.Make(L"good", {L"client"});
    const std::wstring root = folders_.Root();
    const RegistryView view = RegistryView::Default;
    registry_.RegisterEmpty(kJre, L"1.8.0_1", view);
    registry_.Register(kJre, L"1.8.0_2", L"", view);
    registry_.Register(kJre, L"1.8.0_3", root + L"nowhere", view);
    registry_.Register(kJre, L"1.8.0_4", folders_.Make(L"serveronly", {L"server"}), view);
    // "JavaHome" of any type counts, up to its first NUL.
    const std::wstring expand = good + std::wstring(L"\0trailing", 9);
    registry_.RegisterRaw(kJre, L"1.8.0_5", REG_EXPAND_SZ, expand.c_str(),
                          static_cast<DWORD>(expand.size() * sizeof(wchar_t)), view);
    registry_.RegisterRaw(kJre, L"1.8.0_6", REG_BINARY, good.c_str(),
                          static_cast<DWORD>(good.size() * sizeof(wchar_t)), view);
    EXPECT_EQ(CandidateHomes(), (std::vector<std::wstring>{good, good}));
}

TEST_F(RuntimeSearch, VersionBounds) {
    const std::wstring root = folders_.Root();
    registry_.Register(kJre, L"1.6.0_45", folders_.Make(L"16", {L"client"}), RegistryView::Default);
    registry_.Register(kJre, L"1.8.0_251", folders_.Make(L"18", {L"client"}),
                       RegistryView::Default);

    // Without "Maximum Version" the maximum is 0.0.0.0 and no registry runtime passes.
    Settings().maximumVersion = ParseMaximumVersion(L"");
    EXPECT_TRUE(CandidateHomes().empty());
    Settings().maximumVersion = ParseMaximumVersion(L"1.7");
    EXPECT_EQ(CandidateHomes(), std::vector<std::wstring>{root + L"16\\"});
    // The other bounds: CandidateOrder.VersionBounds.
}

// 500 registered runtimes of one vendor: each one is probed, and the newest is chosen.
TEST_F(RuntimeSearch, FiveHundredRegisteredRuntimes) {
    const std::wstring older = folders_.Make(L"older", {L"client"});
    const std::wstring newest = folders_.Make(L"newest", {L"client"});
    for (int update = 1; update < 500; ++update) {
        registry_.Register(kJre, L"1.8.0_" + std::to_wstring(update), older, RegistryView::Default);
    }
    registry_.Register(kJre, L"1.8.0_500", newest, RegistryView::Default);
    const std::vector<std::wstring> homes = CandidateHomes();
    ASSERT_EQ(homes.size(), 500u);
    EXPECT_EQ(Chosen(), newest);
}

TEST_F(RuntimeSearch, FavorServerPutsServerVmsFirst) {
    const std::wstring client = folders_.Make(L"client", {L"client"});
    const std::wstring server = folders_.Make(L"server", {L"client", L"server"});
    const std::wstring serverOnly = folders_.Make(L"serveronly", {L"server"});
    registry_.Register(kJre, L"1.8.0_251", client, RegistryView::Default);
    registry_.Register(kJre, L"1.7.0_80", server, RegistryView::Default);
    registry_.Register(kJre, L"1.6.0_45", serverOnly, RegistryView::Default);

    Settings().jvmType = ParseJvmType(L"favor_server");
    EXPECT_EQ(Chosen(), server);
    // The preference rule comes first: a preferred client VM beats a server VM.
    registry_.Register(kIbmJre, L"1.5", folders_.Make(L"ibm", {L"classic"}), RegistryView::Default);
    ApplyVmProvider(L"favor_ibm", Settings());
    EXPECT_EQ(Chosen(), folders_.Root() + L"ibm\\");

    // "any" never takes a runtime that has only the server VM; "server" takes nothing else.
    Settings() = {};
    Settings().maximumVersion = ParseMaximumVersion(L"any");
    EXPECT_EQ(SortedHomes(), Sorted({client, server}));
    Settings().jvmType = ParseJvmType(L"server");
    EXPECT_EQ(SortedHomes(), Sorted({server, serverOnly}));
}

TEST_F(RuntimeSearch, OldJreKeyIsProbedAsAnyUnderFavorServer) {
    const std::wstring serverOnly = folders_.Make(L"serveronly", {L"server"});
    const std::wstring both = folders_.Make(L"both", {L"client", L"server"});
    registry_.Register(kOldJre, L"1.8.0_1", serverOnly, RegistryView::Default);
    registry_.Register(kOldJre, L"1.8.0_2", both, RegistryView::Default);
    Settings().jvmType = kJvmTypeFavorServer;
    const auto candidates = CollectRegistryRuntimes(Settings(), RegistryView::Default);
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_EQ(candidates[0].home, both);
    EXPECT_FALSE(candidates[0].isServer);
}

// The default view of a 64-bit program is the 64-bit view: this is the 32-bit launcher's case.
#ifndef _WIN64
TEST_F(RuntimeSearch, The64BitViewOnlyForAPairLauncher) {
    const std::wstring wide = folders_.Make(L"jre64", {L"server", L"client"}, Bits::x64);
    registry_.Register(kJre, L"17.0.2", wide, RegistryView::Bits64);
    EXPECT_EQ(Chosen(RegistryView::Default), L"<none>");

    EXPECT_FALSE(Search(ProgramPath()));
    EXPECT_FALSE(chosen_.is64Bit);

    Settings().pairProduct = L"C:\\App\\x64\\start.exe";
    ASSERT_TRUE(Search(ProgramPath()));
    EXPECT_EQ(chosen_.jvmLibraryPath, wide + L"bin\\client\\jvm.dll");
    EXPECT_TRUE(chosen_.is64Bit);

    // A runtime in the default view comes first.
    const std::wstring narrow = folders_.Make(L"jre32", {L"client"});
    registry_.Register(kJre, L"1.8.0_251", narrow, RegistryView::Default);
    chosen_.is64Bit = false;
    ASSERT_TRUE(Search(ProgramPath()));
    EXPECT_EQ(chosen_.jvmLibraryPath, narrow + L"bin\\client\\jvm.dll");
    EXPECT_FALSE(chosen_.is64Bit);
}
#endif

TEST_F(RuntimeSearch, SourcesInTheirOrder) {
    const std::wstring registered = folders_.Make(L"registered", {L"client"});
    registry_.Register(kJre, L"1.8.0_251", registered, RegistryView::Default);

    // A "JRE Path" without jvm.dll falls through to the registry.
    Settings().jrePath = folders_.Make(L"empty", {});
    ASSERT_TRUE(Search(ProgramPath()));
    EXPECT_EQ(chosen_.jvmLibraryPath, registered + L"bin\\client\\jvm.dll");

    // A "JRE Path" is taken without a version check; "\" is added.
    const std::wstring configured = folders_.Make(L"configured", {L"hotspot"}, Bits::x86, false);
    Settings().jrePath = configured.substr(0, configured.size() - 1);
    Settings().maximumVersion = ParseMaximumVersion(L"");
    ASSERT_TRUE(Search(ProgramPath()));
    EXPECT_EQ(chosen_.jvmLibraryPath, configured + L"bin\\hotspot\\jvm.dll");
    Settings().jrePath.clear();

    // The program's own jre\ folder, without a version check, needs the marker.
    const std::wstring ownJre = folders_.Make(L"app\\jre", {L"client"});
    ASSERT_TRUE(Search(ProgramPath()));
    EXPECT_EQ(chosen_.jvmLibraryPath, ownJre + L"bin\\client\\jvm.dll");
    // The program folder itself comes before its jre\.
    const std::wstring own = folders_.Make(L"app", {L"classic"});
    ASSERT_TRUE(Search(ProgramPath()));
    EXPECT_EQ(chosen_.jvmLibraryPath, own + L"bin\\classic\\jvm.dll");
}

TEST_F(RuntimeSearch, JavaHomeNeedsTheMarker) {
    Settings().maximumVersion = ParseMaximumVersion(L"");
    const std::wstring unmarked = folders_.Make(L"unmarked", {L"client"}, Bits::x86, false);
    ::SetEnvironmentVariableW(L"JAVA_HOME", unmarked.c_str());
    EXPECT_FALSE(Search(ProgramPath()));
    EXPECT_TRUE(chosen_.jvmLibraryPath.empty());

    const std::wstring marked = folders_.Make(L"marked", {L"client"});
    ::SetEnvironmentVariableW(L"JAVA_HOME", marked.substr(0, marked.size() - 1).c_str());
    ASSERT_TRUE(Search(ProgramPath()));
    EXPECT_EQ(chosen_.jvmLibraryPath, marked + L"bin\\client\\jvm.dll");
}

TEST_F(RuntimeSearch, BitnessDecidesTheHandOverOnlyWithAPairLauncher) {
    const std::wstring wide = folders_.Make(L"wide", {L"client"}, Bits::x64);
    const std::wstring narrow = folders_.Make(L"narrow", {L"client"});
    Settings().pairProduct = L"C:\\App\\x64\\start.exe";
    if (sizeof(void*) == 8) {
        // The 64-bit build is the pair: it hands nothing over, whatever its settings say.
        for (const std::wstring& runtime : {wide, narrow}) {
            chosen_.jvmLibraryPath = runtime + L"bin\\client\\jvm.dll";
            chosen_.is64Bit = true;
            chosen_.is64Bit = RunsInPairLauncher(settings_, chosen_.jvmLibraryPath);
            EXPECT_FALSE(chosen_.is64Bit);
        }
        return;
    }
    Settings().pairProduct.clear();
    chosen_.jvmLibraryPath = wide + L"bin\\client\\jvm.dll";
    chosen_.is64Bit = RunsInPairLauncher(settings_, chosen_.jvmLibraryPath);
    EXPECT_FALSE(chosen_.is64Bit);

    Settings().pairProduct = L"C:\\App\\x64\\start.exe";
    chosen_.is64Bit = RunsInPairLauncher(settings_, chosen_.jvmLibraryPath);
    EXPECT_TRUE(chosen_.is64Bit);
    chosen_.jvmLibraryPath = narrow + L"bin\\client\\jvm.dll";
    chosen_.is64Bit = RunsInPairLauncher(settings_, chosen_.jvmLibraryPath);
    EXPECT_FALSE(chosen_.is64Bit);
    // The marker file is no image: not 64-bit.
    chosen_.jvmLibraryPath = narrow + L"bin\\java.dll";
    chosen_.is64Bit = true;
    chosen_.is64Bit = RunsInPairLauncher(settings_, chosen_.jvmLibraryPath);
    EXPECT_FALSE(chosen_.is64Bit);

    // Through "JRE Path" the bitness is checked; through the program folder it is not.
    Settings().jrePath = wide;
    ASSERT_TRUE(Search(ProgramPath()));
    EXPECT_TRUE(chosen_.is64Bit);
    Settings().jrePath.clear();
    chosen_.is64Bit = false;
    folders_.Make(L"app", {L"client"}, Bits::x64);
    ASSERT_TRUE(Search(ProgramPath()));
    EXPECT_FALSE(chosen_.is64Bit);
}

TEST_F(RuntimeSearch, NothingFoundAndTheDialogNotAccepted) {
    Settings().maximumVersion = ParseMaximumVersion(L"");
    registry_.Register(kJre, L"1.8", folders_.Make(L"registered", {L"client"}),
                       RegistryView::Default);
    EXPECT_FALSE(Search(ProgramPath()));
    EXPECT_TRUE(chosen_.jvmLibraryPath.empty());
}

TEST(RequirementPhrase, CatalogueTexts) {
    const auto phrase = [](const wchar_t* minimum, const wchar_t* maximum) {
        return BuildRequirementPhrase(ParseMinimumVersion(minimum), ParseMaximumVersion(maximum));
    };
    EXPECT_EQ(phrase(L"", L""), L"neueste Version");
    EXPECT_EQ(phrase(L"any", L"any"), L"neueste Version");
    EXPECT_EQ(phrase(L"", L"1.8"), L"maximum Version 1.8");
    EXPECT_EQ(phrase(L"1.6", L"any"), L"minimum Version 1.6");
    EXPECT_EQ(phrase(L"1.8.0.202", L"1.8.0.202"), L"Version 1.8.0.202 erforderlich");
    EXPECT_EQ(phrase(L"1.8", L"1.8"), L"Version zwischen 1.8 und 1.8");
    EXPECT_EQ(phrase(L"1.6", L"11.0.2"), L"Version zwischen 1.6 und 11.0.2");
}

}  // namespace
}  // namespace launcher
