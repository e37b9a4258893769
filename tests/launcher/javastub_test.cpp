#include <gtest/gtest.h>

#include <string>

#include "run_process.h"
#include "scratch_folder.h"

namespace {

using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::RunProcess;
using testing_support::ScratchFolder;
using testing_support::ThisProgramFolder;

constexpr DWORD kFailed = 0xFFFFFFFF;  // the launcher's -1
const char kNoMainClassLine[] = "Error: Main class in der INI-Datei nicht spezifiziert. \n";

// A folder of its own for each test, holding a copy of the launcher under a chosen name.
class LauncherFolder {
  public:
    std::wstring Install(const std::wstring& name) {
        const std::wstring path = folder_ / name;
        const std::wstring original = ThisProgramFolder() + L"\\javastub.exe";
        EXPECT_TRUE(::CopyFileW(original.c_str(), path.c_str(), FALSE));
        return path;
    }

    void WriteFile(const std::wstring& name, const std::string& bytes) {
        folder_.Write(name, bytes);
    }

    ProcessResult Start(const std::wstring& program, const std::wstring& arguments = {}) {
        ProcessRequest request;
        request.program = program;
        request.arguments = arguments;
        return RunProcess(request);
    }

    const std::wstring& Path() const { return folder_.Path(); }

  private:
    ScratchFolder folder_;
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
    const ProcessResult result = folder.Start(program);
    EXPECT_EQ(result.out, kNoMainClassLine);
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
