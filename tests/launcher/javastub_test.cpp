#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstring>
#include <string>
#include <vector>

#include "run_process.h"

namespace {

using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::RunProcess;
using testing_support::ThisProgramFolder;

constexpr DWORD kFailed = 0xFFFFFFFF;  // the launcher's -1
const char kNoMainClassLine[] = "Error: Main class in der INI-Datei nicht spezifiziert. \n";

// A folder of its own for each test, holding a copy of the launcher under a chosen name.
class LauncherFolder {
  public:
    LauncherFolder() {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::wstring(temp) + L"javastub_test_" +
                  std::to_wstring(::GetCurrentProcessId()) + L"_" + Wide(test->name());
        ::CreateDirectoryW(folder_.c_str(), nullptr);
    }
    ~LauncherFolder() {
        for (const std::wstring& file : files_) {
            ::DeleteFileW(file.c_str());
        }
        for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) {
            ::RemoveDirectoryW(folder->c_str());
        }
        ::RemoveDirectoryW(folder_.c_str());
    }

    void MakeFolder(const std::wstring& name) {
        folders_.push_back(folder_ + L"\\" + name);
        ::CreateDirectoryW(folders_.back().c_str(), nullptr);
    }

    std::wstring Install(const std::wstring& name) {
        const std::wstring path = Track(name);
        const std::wstring original = ThisProgramFolder() + L"\\javastub.exe";
        EXPECT_TRUE(::CopyFileW(original.c_str(), path.c_str(), FALSE));
        return path;
    }

    void WriteFile(const std::wstring& name, const std::string& bytes) {
        std::ofstream(std::filesystem::path(Track(name)), std::ios::binary) << bytes;
    }

    ProcessResult Start(const std::wstring& program, const std::wstring& arguments = {}) {
        ProcessRequest request;
        request.program = program;
        request.arguments = arguments;
        return RunProcess(request);
    }

    const std::wstring& Path() const { return folder_; }

  private:
    static std::wstring Wide(const char* text) { return std::wstring(text, text + strlen(text)); }
    std::wstring Track(const std::wstring& name) {
        files_.push_back(folder_ + L"\\" + name);
        return files_.back();
    }
    std::wstring folder_;
    std::vector<std::wstring> files_;
    std::vector<std::wstring> folders_;
};

TEST(Javastub, WithoutSettingsFileStopsAtTheMissingMainClass) {
    LauncherFolder folder;
    const ProcessResult result = folder.Start(folder.Install(L"start.exe"), L"a \"b c\" d");
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.out, kNoMainClassLine);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitCode, kFailed);
}

TEST(Javastub, ReadsTheSettingsFileOfItsOwnName) {
    LauncherFolder folder;
    const std::wstring program = folder.Install(L"tool.beta.exe");
    // Only tool.beta.ini counts, not the file of the name up to the first dot.
    folder.WriteFile(L"tool.ini", "[Java Runtime Environment]\r\nMain Class=com.example.App\r\n");
    folder.WriteFile(L"tool.beta.ini", "[Java Runtime Environment]\r\nMain Class=\r\n");
    ProcessResult result = folder.Start(program);
    EXPECT_EQ(result.out, kNoMainClassLine);
    EXPECT_EQ(result.exitCode, kFailed);

    // With a main class the start goes on to the runtime; a "JRE Path" with a library that
    // is no library ends it there without touching the user (no dialog).
    folder.MakeFolder(L"jre");
    folder.MakeFolder(L"jre\\bin");
    folder.MakeFolder(L"jre\\bin\\client");
    folder.WriteFile(L"jre\\bin\\client\\jvm.dll", "not a library");
    folder.WriteFile(L"tool.beta.ini",
                     "[Java Runtime Environment]\r\nJRE Path=jre\r\n"
                     "[Java Runtime Environment+]\r\nMain Class=com.example.App\r\n");
    result = folder.Start(program);
    EXPECT_EQ(result.out.find("Main class in der INI-Datei"), std::string::npos) << result.out;
    EXPECT_EQ(result.exitCode, kFailed);
}

TEST(Javastub, ProgramNameWithoutDotHasNoSettingsAndFailsQuietly) {
    LauncherFolder folder;
    const ProcessResult result = folder.Start(folder.Install(L"javastub"));
    ASSERT_TRUE(result.started) << result.startError;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.exitCode, kFailed);
}

}  // namespace
