// The windowed launcher beside the console one: its subsystem, and where its error lines go
// with and without standard output.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "message_box_driver.h"
#include "run_process.h"
#include "scratch_folder.h"
#include "test_text.h"

namespace {

using testing_support::AnsweredRun;
using testing_support::MessageBoxDriver;
using testing_support::ProcessRequest;
using testing_support::ReadFileBytes;
using testing_support::ScratchFolder;
using testing_support::ThisProgramFolder;

constexpr DWORD kFailed = 0xFFFFFFFF;  // the launcher's -1

// The subsystem field of a program's optional header, read from the file; 0 when it is no
// program image.
unsigned Subsystem(const std::wstring& path) {
    const std::string image = ReadFileBytes(path);
    const auto at = [&image](size_t offset, size_t size) {
        std::uint32_t value = 0;
        for (size_t i = 0; i < size && offset + i < image.size(); ++i) {
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(image[offset + i]))
                     << (8 * i);
        }
        return value;
    };
    if (image.size() < 0x40 || image.compare(0, 2, "MZ") != 0) {
        return 0;
    }
    const size_t nt = at(0x3C, 4);
    if (image.compare(nt, 4, std::string("PE\0\0", 4)) != 0) {
        return 0;
    }
    // Signature, file header (20 bytes), then the optional header: the field lies at 68 for
    // 32-bit and 64-bit images alike.
    return at(nt + 4 + 20 + 68, 2);
}

TEST(WindowedLauncher, LinkedForTheWindowsSubsystemTheConsoleOneForTheConsole) {
    EXPECT_EQ(Subsystem(ThisProgramFolder() + L"\\" WINDOWED_LAUNCHER),
              unsigned{IMAGE_SUBSYSTEM_WINDOWS_GUI});
    EXPECT_EQ(Subsystem(ThisProgramFolder() + L"\\" CONSOLE_LAUNCHER),
              unsigned{IMAGE_SUBSYSTEM_WINDOWS_CUI});
#ifdef PAIR_WINDOWED_LAUNCHER
    // The windows-x64 build runs first and puts the pair into dist/x64/.
    EXPECT_EQ(Subsystem(PAIR_WINDOWED_LAUNCHER), unsigned{IMAGE_SUBSYSTEM_WINDOWS_GUI});
#endif
}

TEST(WindowedLauncher, ErrorLinesGoToStandardOutputOrOneBox) {
    struct Case {
        const wchar_t* program;
        bool withOutput;
        bool service;
        bool box;
    };
    const Case cases[] = {
        {WINDOWED_LAUNCHER, false, false, true},
        {WINDOWED_LAUNCHER, true, false, false},
        // Service mode never shows a box; the settings say it before the main class fails.
        {WINDOWED_LAUNCHER, false, true, false},
        // The console program never shows a box.
        {CONSOLE_LAUNCHER, false, false, false},
    };
    const std::string line = "Error: Main class in der INI-Datei nicht spezifiziert. \n";
    MessageBoxDriver driver;
    ASSERT_TRUE(driver.Watching());
    for (const Case& c : cases) {
        ScratchFolder folder;
        // No main class: the start fails with one line. The title is the file name up to
        // its last dot.
        const std::wstring program = folder / L"Mein.Start.exe";
        if (c.service) {
            folder.Write(L"Mein.Start.ini", "[Application]\r\nApplication Type=service\r\n");
        }
        const std::wstring original = ThisProgramFolder() + L"\\" + c.program;
        ASSERT_TRUE(::CopyFileW(original.c_str(), program.c_str(), FALSE));
        ProcessRequest request;
        request.program = program;
        request.withoutStandardOutput = !c.withOutput;
        const AnsweredRun run = RunAnsweringBoxes(driver, request);
        ASSERT_TRUE(run.result.started);
        EXPECT_EQ(run.result.exitCode, kFailed) << c.program;
        EXPECT_EQ(run.result.out, c.withOutput ? line : "") << c.program;
        ASSERT_EQ(run.boxes.size(), c.box ? 1u : 0u) << c.program << c.withOutput << c.service;
        if (c.box) {
            const auto& box = run.boxes[0];
            EXPECT_EQ(box.title, L"Mein.Start");
            EXPECT_EQ(box.text, L"Error: Main class in der INI-Datei nicht spezifiziert.");
            EXPECT_EQ(box.icon, std::optional<UINT>(MB_ICONHAND));
            ASSERT_EQ(box.buttons.size(), 1u);
            EXPECT_EQ(box.buttons[0].id, IDOK);
        }
    }
}

}  // namespace
