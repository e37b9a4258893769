// The hand-over to the pair launcher, between real processes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "run_process.h"
#include "scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::RunProcess;
using testing_support::ScratchFolder;

class PairHandOver : public ::testing::Test {
  protected:
    ProcessResult Hand(const std::wstring& pair, bool returnCode, const wchar_t* exitCode) {
        const std::wstring self = testing_support::ThisProgramFolder();
        ProcessRequest request;
        request.program = self + L"\\pair_handover_driver.exe";
        request.arguments = L"a \"b c\"  d \"\"";
        request.environment[L"TS_PAIR_PRODUCT"] = pair;
        request.environment[L"TS_PAIR_RETURN_CODE"] = returnCode ? L"yes" : L"no";
        request.environment[L"TS_PAIR_EXIT_CODE"] = exitCode;
        request.environment[L"TS_PAIR_RECORD"] = (folder_ / L"pair.txt").wstring();
        request.environment[L"TS_DRIVER_RECORD"] = (folder_ / L"driver.txt").wstring();
        return RunProcess(request);
    }
    std::wstring StandIn() { return testing_support::ThisProgramFolder() + L"\\pair_standin.exe"; }

    std::wstring Recorded(const wchar_t* name) {
        std::wifstream in(folder_ / name);
        std::wstringstream text;
        text << in.rdbuf();
        return text.str();
    }

    ScratchFolder scratch_;
    const fs::path folder_ = scratch_.Path();
};

TEST_F(PairHandOver, WholeCommandLineAndThePairsExitCode) {
    const ProcessResult result = Hand(StandIn(), true, L"3000000000");
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 3000000000u);
    EXPECT_EQ(result.out, "");
    // The pair sees exactly the command line this launcher was started with, program first.
    const std::wstring driverLine = Recorded(L"driver.txt");
    EXPECT_TRUE(driverLine.ends_with(L"a \"b c\"  d \"\"")) << driverLine;
    EXPECT_EQ(Recorded(L"pair.txt"), driverLine + L"\n");
}

TEST_F(PairHandOver, WithoutPairReturnCodeTheRunSucceedsOnceThePairRuns) {
    const ProcessResult result = Hand(StandIn(), false, L"7");
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.out, "");
}

TEST_F(PairHandOver, APairThatCannotStartIsAFailure) {
    const std::string line =
        "Error: Windows Fehler: konnte den 64-Bit-Launcher nicht starten (Fehlernummer = 2).\n \n";
    for (const bool returnCode : {true, false}) {
        const ProcessResult result = Hand((folder_ / L"missing.exe").wstring(), returnCode, L"0");
        ASSERT_TRUE(result.started);
        EXPECT_EQ(result.exitCode, 0xFFFFFFFFu) << returnCode;
        EXPECT_EQ(result.out, line) << returnCode;
        EXPECT_FALSE(fs::exists(folder_ / L"pair.txt"));
    }
}

}  // namespace
