#include "run_process.h"

#include <gtest/gtest.h>

namespace testing_support {
namespace {

ProcessResult Probe(const std::wstring& arguments) {
    ProcessRequest request;
    request.program = ThisProgramFolder() + L"\\child_probe.exe";
    request.arguments = arguments;
    return RunProcess(request);
}

TEST(RunProcess, ReportsFullExitCode) {
    for (DWORD code : {0ul, 1ul, 255ul, 1603ul, 0xFFFFFFFFul, 0x80004005ul}) {
        const ProcessResult result = Probe(L"exit " + std::to_wstring(code));
        ASSERT_TRUE(result.started);
        EXPECT_EQ(result.exitCode, code);
    }
}

TEST(RunProcess, SeparatesOutputAndErrorBytes) {
    const ProcessResult result = Probe(L"echo out-text err-text");
    EXPECT_EQ(result.out, "out-text");
    EXPECT_EQ(result.err, "err-text");
    const ProcessResult big = Probe(L"big");
    EXPECT_EQ(big.out.size(), 1u << 20);
    EXPECT_EQ(big.err.size(), 1u << 20);
}

TEST(RunProcess, EnvironmentCurrentFolderAndInput) {
    ProcessRequest request;
    request.program = ThisProgramFolder() + L"\\child_probe.exe";
    request.arguments = L"env TS_PROBE";
    request.environment[L"TS_PROBE"] = L"set here";
    EXPECT_EQ(RunProcess(request).out, "set here");
    request.environment[L"TS_PROBE"] = std::nullopt;
    EXPECT_EQ(RunProcess(request).out, "<unset>");

    request.arguments = L"cwd";
    request.currentDirectory = L"C:\\windows";
    EXPECT_EQ(RunProcess(request).out, "C:\\windows");

    request.arguments = L"stdin";
    request.currentDirectory.clear();
    request.input = "line one\nline two";
    EXPECT_EQ(RunProcess(request).out, "line one\nline two");
}

TEST(RunProcess, MissingProgramAndHang) {
    ProcessRequest missing;
    missing.program = L"C:\\nowhere\\none.exe";
    const ProcessResult notStarted = RunProcess(missing);
    EXPECT_FALSE(notStarted.started);
    EXPECT_NE(notStarted.startError, 0u);

    ProcessRequest hang;
    hang.program = ThisProgramFolder() + L"\\child_probe.exe";
    hang.arguments = L"hang";
    hang.timeout = std::chrono::milliseconds(300);
    const ProcessResult killed = RunProcess(hang);
    EXPECT_TRUE(killed.timedOut);
}

}  // namespace
}  // namespace testing_support
