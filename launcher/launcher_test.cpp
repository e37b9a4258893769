#include "launcher.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"
#include "settings/settings_paths.h"

namespace launcher {
namespace {

using testing_support::ScratchFolder;

// Initialize reads the settings file beside the running program: this test's own.
class RunSequence : public testing::Test {
  protected:
    RunSequence() {
        wchar_t folder[MAX_PATH];
        ::GetCurrentDirectoryW(MAX_PATH, folder);
        startFolder_ = folder;
        settingsFile_ = SettingsFilePath().value_or(L"");
        // A runtime folder whose jvm.dll the probe finds; it is no library.
        runtime_.Write(L"bin\\client\\jvm.dll", "not a library");
    }
    ~RunSequence() override {
        ::DeleteFileW(settingsFile_.c_str());
        ::SetCurrentDirectoryW(startFolder_.c_str());
    }

    void WriteSettings(const std::string& text) {
        HANDLE file = ::CreateFileW(settingsFile_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        ::CloseHandle(file);
    }

    std::string RuntimeSettings() const {
        const std::wstring& path = runtime_.Path();
        return "[Java Runtime Environment]\r\nMain Class=a.B\r\nJRE Path=" +
               std::string(path.begin(), path.end()) + "\r\n";
    }

    ScratchFolder runtime_;
    ScratchFolder elsewhere_;
    std::wstring startFolder_;
    std::wstring settingsFile_;
};

TEST_F(RunSequence, StartUpTakesArgumentsSettingsAndRuntime) {
    WriteSettings(RuntimeSettings());
    ASSERT_TRUE(::SetCurrentDirectoryW(elsewhere_.Path().c_str()));
    Launcher launcher;
    ASSERT_TRUE(Initialize(launcher));
    // The test runs with --gtest_brief=1 (ctest) or bare; the program itself is dropped.
    for (const std::wstring& argument : launcher.arguments) {
        EXPECT_EQ(argument.find(L"launcher_program_test"), std::wstring::npos);
    }
    EXPECT_EQ(launcher.settings.mainClass, L"a/B");
    EXPECT_EQ(launcher.runtime.jvmLibraryPath, runtime_.Path() + L"\\bin\\client\\jvm.dll");
    EXPECT_FALSE(launcher.runtime.is64Bit);
    wchar_t current[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(std::wstring(current), elsewhere_.Path());
}

TEST_F(RunSequence, OverrideWorkingDirMovesToTheProgramFolder) {
    WriteSettings(RuntimeSettings() + "[Application]\r\nOverride WorkingDir=yES\r\n");
    ASSERT_TRUE(::SetCurrentDirectoryW(elsewhere_.Path().c_str()));
    Launcher launcher;
    ASSERT_TRUE(Initialize(launcher));
    wchar_t current[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(std::wstring(current) + L"\\",
              settingsFile_.substr(0, settingsFile_.rfind(L'\\') + 1));
}

}  // namespace
}  // namespace launcher
