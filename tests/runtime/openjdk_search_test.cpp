// The OpenJDK builds' own registry keys as the last source before the user is asked, with
// real keys in both views and real runtime folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "runtime/find_runtime.h"
#include "runtime/openjdk_search.h"
#include "runtime/registry_sources.h"
#include "runtime/runtime_not_found_dialog.h"
#include "runtime_folders.h"
#include "scoped_environment.h"
#include "settings/setting_values.h"

namespace launcher {

namespace {

int dialogsShown = 0;

// Stands in for the dialog: counts and declines.
RuntimeDialogAnswer AskUser(const std::wstring&, int) {
    ++dialogsShown;
    return {};
}

using runtime_testing::Bits;
using support::RegistryView;

// A runtime this test program could load itself.
constexpr Bits kOwn = sizeof(void*) == 8 ? Bits::x64 : Bits::x86;

std::vector<std::wstring> Sorted(std::vector<std::wstring> homes) {
    std::sort(homes.begin(), homes.end());
    return homes;
}

class OpenJdkSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        dialogsShown = 0;
        Settings().minimumVersion = ParseMinimumVersion(L"any");
        Settings().maximumVersion = ParseMaximumVersion(L"any");
    }
    LauncherSettings& Settings() { return settings_; }

    // <vendor key><version>\hotspot\MSI "Path", the layout of most of these installers.
    void RegisterMsi(const std::wstring& key, const std::wstring& version, const std::wstring& home,
                     RegistryView view = RegistryView::Default) {
        registry_.RegisterValue(key + version + L"\\hotspot\\MSI", L"Path", home, view);
    }
    void RegisterZulu(const std::wstring& name, const std::wstring& home) {
        registry_.RegisterValue(L"SOFTWARE\\Azul Systems\\Zulu\\" + name, L"InstallationPath", home,
                                RegistryView::Default);
    }

    std::vector<std::wstring> Homes(RegistryView view = RegistryView::Default) {
        std::vector<std::wstring> homes;
        for (const RuntimeCandidate& c : CollectOpenJdkRuntimes(Settings(), view)) {
            homes.push_back(c.home);
        }
        return homes;
    }
    // The jvm.dll the whole chain ends with, or "<dialog>".
    std::wstring Found() {
        return Search(folders_.Root() + L"app\\start.exe") ? chosen_.jvmLibraryPath : L"<dialog>";
    }

    runtime_testing::RuntimeFolders folders_;
    runtime_testing::VendorRegistry registry_;
    testing_support::ScopedEnvironment javaHome_{L"JAVA_HOME", nullptr};
    // The runtime search with the choice kept in chosen_, empty when there is none.
    bool Search(const std::wstring& program) {
        chosen_ = FindRuntimeForProgram(settings_, program, AskUser).value_or(RuntimeChoice{});
        return !chosen_.jvmLibraryPath.empty();
    }
    LauncherSettings settings_;
    RuntimeChoice chosen_;
};

TEST_F(OpenJdkSearch, EachLayoutIsFound) {
    struct Layout {
        const wchar_t* key;  // below HKLM, the version subkey appended
        const wchar_t* value;
        const wchar_t* version;
        const wchar_t* subkeyBelowVersion;
    };
    const Layout layouts[] = {
        {L"SOFTWARE\\Eclipse Adoptium\\JDK\\", L"Path", L"17.0.9.9", L"\\hotspot\\MSI"},
        {L"SOFTWARE\\Eclipse Adoptium\\JRE\\", L"Path", L"11.0.21.9", L"\\openj9\\MSI"},
        {L"SOFTWARE\\Eclipse Foundation\\JDK\\", L"Path", L"16.0.2.7", L"\\hotspot\\MSI"},
        {L"SOFTWARE\\Eclipse Foundation\\JRE\\", L"Path", L"16.0.1.9", L"\\hotspot\\MSI"},
        {L"SOFTWARE\\AdoptOpenJDK\\JDK\\", L"Path", L"15.0.2.7", L"\\hotspot\\MSI"},
        {L"SOFTWARE\\AdoptOpenJDK\\JRE\\", L"Path", L"8.0.292.10", L"\\openj9\\MSI"},
        {L"SOFTWARE\\Microsoft\\JDK\\", L"Path", L"21.0.1.12", L"\\hotspot\\MSI"},
        {L"SOFTWARE\\Azul Systems\\Zulu\\", L"InstallationPath", L"zulu-17", L""},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.key);
        runtime_testing::VendorRegistry registry;
        // Today's builds have the server VM only; the default "JVM Type" takes it here.
        const std::wstring home = folders_.Make(layout.key, {L"server"}, kOwn);
        registry.RegisterValue(
            layout.key + std::wstring(layout.version) + layout.subkeyBelowVersion, layout.value,
            home.substr(0, home.size() - 1), RegistryView::Default);
        EXPECT_EQ(Found(), home + L"bin\\server\\jvm.dll");
        EXPECT_FALSE(chosen_.is64Bit);
    }
}

TEST_F(OpenJdkSearch, SettingsRulesApply) {
    const std::wstring adoptium = L"SOFTWARE\\Eclipse Adoptium\\";
    const std::wstring jdk17 = folders_.Make(L"jdk17", {L"server"}, kOwn);
    const std::wstring jre11 = folders_.Make(L"jre11", {L"client", L"server"}, kOwn);
    const std::wstring jdk21 = folders_.Make(L"jdk21", {L"client"}, kOwn);
    RegisterMsi(adoptium + L"JDK\\", L"17.0.9.9", jdk17);
    RegisterMsi(adoptium + L"JRE\\", L"11.0.21.9", jre11);
    RegisterMsi(L"SOFTWARE\\Microsoft\\JDK\\", L"21.0.1.12", jdk21);

    EXPECT_EQ(Found(), jdk21 + L"bin\\client\\jvm.dll");
    Settings().preferredVersions = {L"11"};
    EXPECT_EQ(Found(), jre11 + L"bin\\client\\jvm.dll");
    Settings().preferredVersions.clear();
    Settings().maximumVersion = ParseMaximumVersion(L"17");
    EXPECT_EQ(Found(), jdk17 + L"bin\\server\\jvm.dll");
    Settings().minimumVersion = ParseMinimumVersion(L"18");
    EXPECT_EQ(Found(), L"<dialog>");
    Settings().minimumVersion = ParseMinimumVersion(L"any");
    Settings().maximumVersion = ParseMaximumVersion(L"any");

    // favor_server puts the server VMs first; server takes nothing else.
    Settings().jvmType = ParseJvmType(L"favor_server");
    EXPECT_EQ(Found(), jdk17 + L"bin\\server\\jvm.dll");
    Settings().jvmType = ParseJvmType(L"server");
    EXPECT_EQ(Sorted(Homes()), Sorted({jdk17, jre11}));
    Settings().jvmType = kJvmTypeAny;

    // Kinds: favor_JRE orders, only_JDK filters.
    ApplyJvmSource(L"favor_JRE", Settings());
    EXPECT_EQ(Found(), jre11 + L"bin\\client\\jvm.dll");
    ApplyJvmSource(L"only_JDK", Settings());
    EXPECT_EQ(Sorted(Homes()), Sorted({jdk17, jdk21}));

    // A vendor setting that names the only vendor to take leaves these builds out.
    ApplyVmProvider(L"ibm", Settings());
    EXPECT_TRUE(Homes().empty());
    ApplyVmProvider(L"favor_ibm", Settings());
    EXPECT_EQ(Homes().size(), 2u);
}

TEST_F(OpenJdkSearch, KindOfAnUnnamedRegistrationIsToldByTheFolder) {
    const std::wstring jdk = folders_.Make(L"zulujdk", {L"server"}, kOwn);
    std::ofstream(std::filesystem::path(jdk + L"bin\\javac.exe")) << "compiler";
    const std::wstring jre = folders_.Make(L"zulujre", {L"server"}, kOwn);
    RegisterZulu(L"zulu-17", jdk);
    RegisterZulu(L"zulu-11-jre", jre);
    registry_.RegisterValue(L"SOFTWARE\\Azul Systems\\Zulu\\zulu-11-jre", L"CurrentVersion",
                            L"11.0.21", RegistryView::Default);

    ApplyJvmSource(L"only_JRE", Settings());
    ASSERT_EQ(CollectOpenJdkRuntimes(Settings(), RegistryView::Default).size(), 1u);
    // The version from "CurrentVersion", not from the name.
    EXPECT_EQ(CollectOpenJdkRuntimes(Settings(), RegistryView::Default)[0].version,
              (Version{{11, 0, 21, 0}, 3}));
    ApplyJvmSource(L"only_JDK", Settings());
    EXPECT_EQ(Homes(), std::vector<std::wstring>{jdk});
}

// Only the 32-bit launcher has a default view other than the 64-bit one.
#ifndef _WIN64
TEST_F(OpenJdkSearch, BitnessAndViews) {
    const std::wstring key = L"SOFTWARE\\Eclipse Adoptium\\JDK\\";
    const std::wstring wide = folders_.Make(L"wide", {L"server"}, Bits::x64);
    RegisterMsi(key, L"21.0.1.12", wide, RegistryView::Bits64);
    // A 64-bit image registered in this view cannot be loaded without the pair.
    const std::wstring misplaced = folders_.Make(L"misplaced", {L"server"}, Bits::x64);
    RegisterMsi(key, L"17.0.9.9", misplaced);
    EXPECT_TRUE(Homes().empty());
    EXPECT_EQ(Found(), L"<dialog>");
    EXPECT_EQ(dialogsShown, 1);

    // With a pair launcher the default view still comes first, and the image decides.
    Settings().pairProduct = L"C:\\App\\x64\\start.exe";
    EXPECT_EQ(Found(), misplaced + L"bin\\server\\jvm.dll");
    EXPECT_TRUE(chosen_.is64Bit);
    registry_.RegisterValue(key + L"17.0.9.9\\hotspot\\MSI", L"Path", L"", RegistryView::Default);
    EXPECT_EQ(Found(), wide + L"bin\\server\\jvm.dll");
    EXPECT_TRUE(chosen_.is64Bit);
}
#endif

TEST_F(OpenJdkSearch, OnlyWhereTheOtherSourcesFindNothing) {
    const std::wstring build = folders_.Make(L"build", {L"client"}, kOwn);
    RegisterMsi(L"SOFTWARE\\Eclipse Adoptium\\JDK\\", L"21.0.1.12", build);

    // An older runtime under the vendors' keys and JAVA_HOME both come first.
    const std::wstring javasoft = folders_.Make(L"javasoft", {L"client"}, kOwn);
    registry_.Register(kRegistrySources[1].key, L"1.8.0_251", javasoft, RegistryView::Default);
    EXPECT_EQ(Found(), javasoft + L"bin\\client\\jvm.dll");
    Settings().minimumVersion = ParseMinimumVersion(L"9");
    const std::wstring javaHome = folders_.Make(L"javahome", {L"client"}, kOwn);
    {
        testing_support::ScopedEnvironment set(L"JAVA_HOME", javaHome.c_str());
        EXPECT_EQ(Found(), javaHome + L"bin\\client\\jvm.dll");
    }
    EXPECT_EQ(Found(), build + L"bin\\client\\jvm.dll");
    EXPECT_EQ(dialogsShown, 0);

    // "Ignore OpenJDK Registry" turns the source off: the user is asked.
    Settings().searchOpenJdkRegistrations = false;
    EXPECT_EQ(Found(), L"<dialog>");
    EXPECT_EQ(dialogsShown, 1);
}

}  // namespace
}  // namespace launcher
