// The last source of the runtime search: the user's answer, through a stand-in for the
// dialog.
#include <gtest/gtest.h>

#include "runtime/find_runtime.h"
#include "runtime/runtime_not_found_dialog.h"
#include "runtime_folders.h"
#include "scoped_environment.h"
#include "settings/setting_values.h"

namespace launcher {

namespace {

struct DialogCall {
    std::wstring message;
    int jvmType = -1;
};
std::vector<DialogCall> calls;
RuntimeDialogAnswer answer;

RuntimeDialogAnswer AskUser(const std::wstring& message, int jvmType) {
    calls.push_back({message, jvmType});
    return answer;
}

using runtime_testing::Bits;

class RuntimeDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        calls.clear();
        answer = {};
        // No maximum: no registry runtime can pass, whatever the prefix holds.
        settings_.minimumVersion = ParseMinimumVersion(L"1.6");
        settings_.productName = L"Tessaly";
        settings_.productCode = L"T1";
    }

    std::wstring ProgramPath() { return folders_.Root() + L"app\\start.exe"; }

    runtime_testing::RuntimeFolders folders_;
    testing_support::ScopedEnvironment javaHome_{L"JAVA_HOME", nullptr};
    // The runtime search with the choice kept in chosen_, empty when there is none.
    bool Search(const std::wstring& program) {
        chosen_ = FindRuntimeForProgram(settings_, program, AskUser).value_or(RuntimeChoice{});
        return !chosen_.jvmLibraryPath.empty();
    }
    LauncherSettings settings_;
    RuntimeChoice chosen_;
};

TEST_F(RuntimeDialog, MessageSaysWhatIsNeededAndCancelEndsTheSearch) {
    EXPECT_FALSE(Search(ProgramPath()));
    settings_.jvmType = ParseJvmType(L"server");
    EXPECT_FALSE(Search(ProgramPath()));

    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].message,
              L"Die Java-Laufzeitumgebung (JRE) wurde nicht gefunden. Bitte downloaden und "
              L"installieren Sie eine JRE (minimum Version 1.6) von:");
    EXPECT_EQ(calls[0].jvmType, kJvmTypeAny);
    EXPECT_EQ(calls[1].message,
              L"Die Java-Laufzeitumgebung (JRE) wurde nicht gefunden. Bitte downloaden und "
              L"installieren Sie eine JRE mit Server JVM (minimum Version 1.6) von:");
    EXPECT_EQ(calls[1].jvmType, kJvmTypeServer);
    EXPECT_TRUE(chosen_.jvmLibraryPath.empty());
}

TEST_F(RuntimeDialog, AnAcceptedFolderIsUsedCheckedAndRemembered) {
    const std::wstring appData = folders_.Root() + L"appdata";
    ::CreateDirectoryW(appData.c_str(), nullptr);
    const testing_support::ScopedEnvironment appDataSet(L"APPDATA", appData.c_str());
    const std::wstring picked = folders_.Make(L"picked", {L"client"}, Bits::x64);
    answer = {true, picked + L"bin\\client\\jvm.dll", picked.substr(0, picked.size() - 1)};
    settings_.pairProduct = folders_.Root() + L"app\\x64\\start.exe";

    ASSERT_TRUE(Search(ProgramPath()));
    EXPECT_EQ(chosen_.jvmLibraryPath, picked + L"bin\\client\\jvm.dll");
    // The 32-bit launcher hands a 64-bit runtime to its pair; the 64-bit one is the pair.
    EXPECT_EQ(chosen_.is64Bit, sizeof(void*) == 4);

    // Remembered with its "\" in the per-user file (the pair's, named alike, is the same
    // file); the settings file beside the program is left alone.
    std::wstring value(32767, L'\0');
    value.resize(::GetPrivateProfileStringW(L"Java Runtime Environment", L"JRE Path", L"",
                                            value.data(), static_cast<DWORD>(value.size()),
                                            (appData + L"\\Tessaly\\T1\\start.ini").c_str()));
    EXPECT_EQ(value, picked);
    EXPECT_EQ(::GetFileAttributesW((folders_.Root() + L"app\\start.ini").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace launcher
