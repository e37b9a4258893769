// The built launcher, started as a user would start it, with the runtime it finds deciding
// whether the run is handed to the pair launcher.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "run_process.h"
#include "runtime_folders.h"
#include "support/text_conversion.h"

namespace {

namespace fs = std::filesystem;
using runtime_testing::Bits;
using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::RunProcess;
using testing_support::ThisProgramFolder;

class JavastubRuntime : public ::testing::Test {
  protected:
    void SetUp() override {
        app_ = fs::path(folders_.Root()) / L"app";
        fs::create_directories(app_ / L"appdata");
        fs::copy_file(fs::path(ThisProgramFolder()) / L"javastub.exe", app_ / L"start.exe");
    }

    // Settings with the runtime given as "JRE Path", so no registry is involved.
    void WriteSettings(const std::wstring& jrePath, const std::wstring& pairProduct,
                       const char* more = "") {
        std::ofstream(app_ / L"start.ini", std::ios::binary)
            << "[Java Runtime Environment]\r\nMain Class=app.Main\r\nJRE Path="
            << support::WideToAnsi(jrePath)
            << "\r\n[Application]\r\nPair Product=" << support::WideToAnsi(pairProduct)
            << "\r\nPair Return Code=Yes\r\n"
            << more;
    }

    ProcessResult Start(const std::wstring& arguments = L"x \"y z\"",
                        const wchar_t* pairHoldMs = L"0") {
        ProcessRequest request;
        request.program = (app_ / L"start.exe").wstring();
        request.arguments = arguments;
        request.environment[L"TS_PAIR_HOLD_MS"] = pairHoldMs;
        // No per-user settings file: the main file's "JRE Path" counts.
        request.environment[L"APPDATA"] = (app_ / L"appdata").wstring();
        request.environment[L"JAVA_HOME"] = std::nullopt;
        request.environment[L"TS_PAIR_RECORD"] = Record().wstring();
        request.environment[L"TS_PAIR_EXIT_CODE"] = L"3000000000";
        return RunProcess(request);
    }

    fs::path Record() { return app_ / L"pair.txt"; }
    std::wstring Recorded() {
        std::wifstream in(Record());
        std::wstringstream recorded;
        recorded << in.rdbuf();
        return recorded.str();
    }

    std::wstring PairStandIn() {
        const fs::path pair = app_ / L"x64" / L"start.exe";
        fs::create_directories(pair.parent_path());
        fs::copy_file(fs::path(ThisProgramFolder()) / L"pair_standin.exe", pair,
                      fs::copy_options::overwrite_existing);
        return pair.wstring();
    }

    runtime_testing::RuntimeFolders folders_;
    fs::path app_;
};

// The 64-bit build is the pair launcher itself; only the 32-bit one hands a run on.
constexpr bool kIsPair = sizeof(void*) == 8;

#ifndef _WIN64
TEST_F(JavastubRuntime, A64BitRuntimeIsHandedToThePair) {
    WriteSettings(folders_.Make(L"jre64", {L"server", L"client"}, Bits::x64), PairStandIn());
    const ProcessResult result = Start();
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 3000000000u);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(Recorded().ends_with(L"x \"y z\"\n")) << Recorded();
}

TEST_F(JavastubRuntime, WithSingleInstanceEachStartReachesThePair) {
    // The pair coordinates under its own settings: a start that hands over must not stay the
    // primary, or a second start would give its arguments to a process that never runs main.
    WriteSettings(folders_.Make(L"jre64", {L"server"}, Bits::x64), PairStandIn(),
                  "Single Instance=yes\r\n");
    std::thread first([&] { EXPECT_EQ(Start(L"first", L"4000").exitCode, 3000000000u); });
    ::Sleep(1500);
    EXPECT_EQ(Start(L"second").exitCode, 3000000000u);
    first.join();
    EXPECT_NE(Recorded().find(L"first\n"), std::wstring::npos) << Recorded();
    EXPECT_NE(Recorded().find(L"second\n"), std::wstring::npos) << Recorded();
}
#endif

TEST_F(JavastubRuntime, StaysHereUnlessThe32BitLauncherMeetsA64BitRuntime) {
    // The stand-in jvm.dll has no JNI entry points, and one of the other bitness does not
    // load: the run fails here, and no pair ran. The 64-bit launcher's settings may be a copy
    // of the 32-bit launcher's, "Pair Product" included: it must not start that program,
    // which may be itself, for any runtime.
    std::vector<Bits> runtimes{Bits::x86};
    if (kIsPair) {
        runtimes.push_back(Bits::x64);
    }
    for (const Bits bits : runtimes) {
        const std::wstring name = bits == Bits::x64 ? L"jre64" : L"jre32";
        const std::wstring home = folders_.Make(name, {L"client"}, bits);
        WriteSettings(home, PairStandIn());
        const ProcessResult result = Start();
        ASSERT_TRUE(result.started);
        EXPECT_EQ(result.exitCode, 0xFFFFFFFFu) << name;
        const bool ownBitness = (bits == Bits::x64) == kIsPair;
        EXPECT_EQ(result.out,
                  ownBitness ? "Error: Windows Fehler: Kann CreateJavaVM JNI nicht "
                               "finden (Fehlernummer = 127).\n \n"
                             : "Error: Konnte Java VM Bibliothek: " + support::WideToAnsi(home) +
                                   "bin\\client\\jvm.dll (Fehlernummer= 193) "
                                   "nicht laden.\n \n")
            << name;
        EXPECT_FALSE(fs::exists(Record())) << name;
    }
}

}  // namespace
