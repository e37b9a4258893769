// The built launcher when no source yields a runtime: the user's answer in its dialog decides
// whether the start goes on, with which runtime, and where the choice is remembered.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>

#include "folder_picker_driver.h"
#include "run_process.h"
#include "scratch_folder.h"
#include "test_text.h"
#include "window_driver.h"

namespace {

namespace fs = std::filesystem;
using namespace ui_driver;
using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::ReadFileBytes;
using testing_support::ThisProgramFolder;

constexpr DWORD kFailed = 0xFFFFFFFFu;  // exit code -1

// A path of the build tree as wine sees it (drive Z:).
fs::path WinePath(const char* linuxPath) {
    std::wstring path = L"Z:";
    for (const char* c = linuxPath; *c != '\0'; ++c) {
        path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    }
    return path;
}

std::wstring ReadJrePath(const fs::path& file) {
    std::wstring value(1024, L'\0');
    value.resize(::GetPrivateProfileStringW(L"Java Runtime Environment", L"JRE Path", L"",
                                            value.data(), static_cast<DWORD>(value.size()),
                                            file.c_str()));
    return value;
}

class JavastubDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(root_ / L"app" / L"classes");
        fs::create_directories(root_ / L"appdata");
        fs::copy_file(fs::path(ThisProgramFolder()) / L"javastub.exe", Program());
        // The picker reaches the runtime from the drive without passing a hidden folder.
        fs::create_directories(Runtime() / L"bin" / L"client");
        fs::copy_file(WinePath(JVM_DOUBLE), Runtime() / L"bin" / L"client" / L"jvm.dll");
    }
    void TearDown() override { fs::remove_all(Runtime().parent_path()); }

    fs::path Program() const { return root_ / L"app" / L"start.exe"; }
    fs::path Runtime() const {
        return fs::path(L"C:\\tsdlg-start-" + std::to_wstring(::GetCurrentProcessId())) / L"jre";
    }
    fs::path UserSettings() const { return root_ / L"appdata" / L"Tessaly" / L"T1" / L"start.ini"; }

    // No "JRE Path", no maximum version (so no registered runtime passes) and no JAVA_HOME:
    // every source fails and the dialog opens.
    void WriteSettings(const std::string& application = {}) {
        std::ofstream(root_ / L"app" / L"start.ini", std::ios::binary)
            << "[Product Information]\r\nProduct Name=Tessaly\r\nProduct Code=T1\r\n"
            << "[Java Runtime Environment]\r\nMain Class=com.example.App\r\n"
            << "Minimum Version=1.6\r\n[Application]\r\n"
            << application << "[Class Path]\r\nClass Path=classes\r\n";
    }

    std::future<ProcessResult> Start() {
        ProcessRequest request;
        request.program = Program().wstring();
        request.environment[L"APPDATA"] = (root_ / L"appdata").wstring();
        request.environment[L"JAVA_HOME"] = std::nullopt;
        request.environment[L"TS_JVM_DOUBLE_LOG"] = (root_ / L"record.log").wstring();
        return std::async(std::launch::async, testing_support::RunProcess, request);
    }

    // Picks the runtime folder in the dialog's picker and confirms it.
    void PickRuntimeAndConfirm() {
        HWND dialog = WaitForDialog(L"JRE nicht gefunden");
        ASSERT_NE(dialog, nullptr);
        PressButton(dialog, 202);
        HWND picker = WaitForOwnedDialog(dialog);
        ASSERT_NE(picker, nullptr);
        ASSERT_TRUE(ChooseFolder(picker, Runtime().wstring()));
        ASSERT_TRUE(WaitUntil([&] { return IsControlEnabled(dialog, IDOK); }));
        PressButton(dialog, IDOK);
    }

    testing_support::ScratchFolder scratch_;
    const fs::path root_ = scratch_.Path();
};

TEST_F(JavastubDialog, DecliningEndsTheStartSilently) {
    WriteSettings();
    for (const DeclineWay& way : kDeclineWays) {
        SCOPED_TRACE(way.way);
        std::future<ProcessResult> run = Start();
        HWND dialog = WaitForDialog(L"JRE nicht gefunden");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(ControlText(dialog, 203),
                  L"Die Java-Laufzeitumgebung (JRE) wurde nicht gefunden. Bitte downloaden und "
                  L"installieren Sie eine JRE (minimum Version 1.6) von:");
        way.end(dialog);
        const ProcessResult result = run.get();
        EXPECT_EQ(result.exitCode, kFailed);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
    }
    EXPECT_FALSE(fs::exists(UserSettings()));
}

TEST_F(JavastubDialog, AnAcceptedRuntimeStartsAndIsRememberedForTheUser) {
    WriteSettings();
    std::future<ProcessResult> run = Start();
    PickRuntimeAndConfirm();
    const ProcessResult result = run.get();
    EXPECT_EQ(result.exitCode, 0u) << result.out << result.err;
    EXPECT_TRUE(testing_support::Contains(
        ReadFileBytes(root_ / L"record.log"),
        "library " + (Runtime() / L"bin" / L"client" / L"jvm.dll").string() + "\n"));
    EXPECT_EQ(ReadJrePath(UserSettings()), Runtime().wstring() + L"\\");
    EXPECT_EQ(ReadJrePath(root_ / L"app" / L"start.ini"), L"");
}

TEST_F(JavastubDialog, AServiceRemembersTheRuntimeInTheMainFile) {
    WriteSettings("Application Type=service\r\n");
    std::future<ProcessResult> run = Start();
    PickRuntimeAndConfirm();
    run.get();
    EXPECT_EQ(ReadJrePath(root_ / L"app" / L"start.ini"), Runtime().wstring() + L"\\");
    EXPECT_FALSE(fs::exists(UserSettings()));
}

}  // namespace
