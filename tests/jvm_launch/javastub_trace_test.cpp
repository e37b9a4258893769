// The start-up trace of the built launcher with the stand-in jvm.dll: its lines for a start
// that succeeds, one that rejects registered runtimes for each reason, and a hand-over to
// the real 64-bit pair. Compared by content; the time stamps only by their form.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "run_process.h"
#include "runtime_folders.h"
#include "scratch_folder.h"
#include "test_text.h"

namespace {

namespace fs = std::filesystem;
using support::RegistryView;
using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::RunProcess;
using testing_support::ThisProgramFolder;

fs::path WinePath(const char* linuxPath) {
    std::wstring path = L"Z:";
    for (const char* c = linuxPath; *c != '\0'; ++c) {
        path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    }
    return path;
}

// The launcher under test: this program's bitness.
const std::string kBits = sizeof(void*) == 8 ? "x64" : "x86";

// One trace line: "<yyyy-mm-dd hh:mm:ss.mmm> [<process> <bits>] <text>".
struct TraceLine {
    std::string bits;
    std::string text;
};

std::vector<TraceLine> ReadTrace(const fs::path& file) {
    static const std::regex form(
        R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \[\d+ (x86|x64)\] (.*)$)");
    std::vector<TraceLine> lines;
    for (const std::string& line : testing_support::Lines(testing_support::ReadFileBytes(file))) {
        std::smatch match;
        EXPECT_TRUE(std::regex_match(line, match, form)) << line;
        lines.push_back({match[1], match[2]});
    }
    return lines;
}

// The texts of one process's lines, the phase times cut to their names.
std::vector<std::string> Texts(const std::vector<TraceLine>& lines, const std::string& bits) {
    std::vector<std::string> texts;
    for (const TraceLine& line : lines) {
        if (line.bits != bits) {
            continue;
        }
        std::string text = line.text;
        if (text.starts_with("phase ")) {
            text = text.substr(0, text.find(':'));
        }
        texts.push_back(text);
    }
    return texts;
}

class JavastubTrace : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(app_ / L"classes");
        fs::create_directories(app_ / L"appdata");
        fs::copy_file(fs::path(ThisProgramFolder()) / L"javastub.exe", app_ / L"start.exe");
    }

    // A runtime folder holding the stand-in JVM as its client VM.
    std::string StandInRuntime(const std::wstring& name, const char* library = JVM_DOUBLE) {
        const fs::path home = fs::path(folders_.Root()) / name;
        fs::create_directories(home / L"bin" / L"client");
        std::ofstream(home / L"bin" / L"java.dll") << "marker";
        fs::copy_file(WinePath(library), home / L"bin" / L"client" / L"jvm.dll");
        return home.string();
    }

    void WriteSettings(const fs::path& folder, const std::string& runtime,
                       const std::string& application = {}) {
        std::ofstream(folder / L"start.ini", std::ios::binary)
            << "[Java Runtime Environment]\r\nMain Class=com.example.App\r\n"
            << runtime << "[Application]\r\n"
            << application << "[Class Path]\r\nClass Path=classes\r\n";
    }

    ProcessResult Start(const fs::path& trace) {
        ProcessRequest request;
        request.program = (app_ / L"start.exe").wstring();
        request.arguments = L"a \"b c\"";
        request.environment[L"APPDATA"] = (app_ / L"appdata").wstring();
        request.environment[L"JAVA_HOME"] = std::nullopt;
        request.environment[L"JAVASTUB_TRACE"] = trace.wstring();
        const ProcessResult result = RunProcess(request);
        EXPECT_TRUE(result.started);
        // Never on the console.
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
        return result;
    }

    fs::path TraceFile() const { return app_ / L"trace.log"; }

    runtime_testing::RuntimeFolders folders_;
    const fs::path app_ = fs::path(folders_.Root()) / L"app";
};

TEST_F(JavastubTrace, ASuccessfulStart) {
    const std::string runtime = StandInRuntime(L"jre");
    WriteSettings(app_, "JRE Path=" + runtime + "\r\n", "Cmd=-v\r\n");
    const std::string ini = (app_ / "start.ini").string();
    const std::string app = app_.string();

    // A file that cannot be opened changes nothing else.
    ASSERT_EQ(Start(app_ / L"no such folder" / L"trace.log").exitCode, 0u);
    ASSERT_EQ(Start(TraceFile()).exitCode, 0u);
    const std::vector<std::string> expected = {
        "start: " + app + "\\start.exe a \"b c\"",
        "settings file: " + ini,
        "setting Minimum Version: 0.0.0.0",
        "setting Maximum Version: 0.0.0.0",
        "setting Preferred versions: ",
        "setting JRE Path: " + runtime,
        "setting JVM Type: any VM",
        "setting JVM Source: JDK yes, JRE yes, other kind acceptable yes",
        "setting VM Provider: accepted Sun yes JRockit no IBM no, preferred Sun yes JRockit no "
        "IBM no",
        "setting Main Class: com/example/App",
        "setting Pair Product: ",
        "setting Ignore OpenJDK Registry: no",
        "setting Class Data Archive: off",
        "setting Exception Dialog: on",
        "phase settings",
        "runtime source JRE Path: found " + runtime + "\\bin\\client\\jvm.dll",
        "jvm.dll: " + runtime + "\\bin\\client\\jvm.dll",
        "phase runtime search",
        "phase jvm.dll loading",
        "phase options",
        "JVM option: -Djava.class.path=" + app + "\\classes;",
        "main class: com/example/App",
        "argument 1: a",
        "argument 2: b c",
        "argument 3: -v",
        "JVM created",
        "phase JVM creation",
        "main returned",
        "phase main",
        "exit code: 0",
    };
    EXPECT_EQ(Texts(ReadTrace(TraceFile()), kBits), expected);
}

TEST_F(JavastubTrace, EveryRejectedCandidateWithItsReason) {
    runtime_testing::VendorRegistry registry;
    const RegistryView view = RegistryView::Default;
    const std::wstring javaSoftJre = L"Software\\JavaSoft\\JRE\\";
    const std::wstring adoptiumJre = L"SOFTWARE\\Eclipse Adoptium\\JRE\\";
    const std::string empty = fs::path(folders_.Make(L"empty", {})).string();
    // An image of the other bitness where the launcher looks, without a pair to hand it to.
    const fs::path wide = fs::path(folders_.Root()) / L"wide";
    fs::create_directories(wide / L"bin" / L"server");
    fs::copy_file(WinePath(OTHER_BITNESS_IMAGE), wide / L"bin" / L"server" / L"jvm.dll");
    const std::string chosen = StandInRuntime(L"temurin");
    registry.Register(javaSoftJre, L"1.5.0", folders_.Root() + L"old", view);
    registry.Register(javaSoftJre, L"1.8.0_1", fs::path(empty).wstring(), view);
    registry.RegisterValue(adoptiumJre + L"21.0.1.12\\hotspot\\MSI", L"Path", wide.wstring(), view);
    registry.RegisterValue(adoptiumJre + L"11.0.21.9\\hotspot\\MSI", L"Path",
                           fs::path(chosen).wstring(), view);
    WriteSettings(app_, "Minimum Version=1.6\r\nMaximum Version=any\r\nJVM Source=only_JRE\r\n");

    ASSERT_EQ(Start(TraceFile()).exitCode, 0u);
    const std::vector<std::string> texts = Texts(ReadTrace(TraceFile()), kBits);
    for (const std::string& line : std::vector<std::string>{
             "runtime source JRE Path: not set",
             "registry key HKLM\\Software\\JavaSoft\\JDK\\ (own view): skipped, kind not accepted",
             "candidate 1.5.0: rejected, version 1.5.0.0 out of bounds",
             "candidate 1.8.0_1: rejected, no jvm.dll in " + empty,
             "registry key HKLM\\Software\\IBM\\Java2 Runtime Environment\\ (own view): skipped, "
             "vendor not accepted",
             "runtime source JAVA_HOME: not set",
             "candidate 21.0.1.12\\hotspot: rejected, wrong bitness of " +
                 (wide / "bin" / "server" / "jvm.dll").string(),
             "candidate 11.0.21.9\\hotspot: taken, " + chosen + "\\bin\\client\\jvm.dll",
             "order: 1. 11.0.21.9 " + chosen + "\\ [preferred]",
             "runtime source OpenJDK registrations: found " + chosen + "\\bin\\client\\jvm.dll",
             std::string("exit code: 0"),
         }) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), line), texts.end()) << line;
    }
    // Only the 32-bit launcher has a 64-bit view to leave out.
    EXPECT_EQ(std::count(texts.begin(), texts.end(),
                         "registry 64-bit view: skipped, wrong bitness without Pair Product"),
              kBits == "x86" ? 1 : 0);
}

#if defined(PAIR_LAUNCHER) && defined(PAIR_JVM_DOUBLE)
TEST_F(JavastubTrace, ThePairAppendsToTheSameFile) {
    ASSERT_TRUE(fs::exists(WinePath(PAIR_LAUNCHER)) && fs::exists(WinePath(PAIR_JVM_DOUBLE)))
        << "build the windows-x64 preset's javastub and jvm_double first";
    const std::string runtime = StandInRuntime(L"jre64", PAIR_JVM_DOUBLE);
    const fs::path pair = app_ / L"x64";
    fs::create_directories(pair / L"classes");
    fs::copy_file(WinePath(PAIR_LAUNCHER), pair / L"start.exe");
    WriteSettings(app_, "JRE Path=" + runtime + "\r\n",
                  "Pair Product=" + (pair / "start.exe").string() + "\r\nPair Return Code=Yes\r\n");
    WriteSettings(pair, "JRE Path=" + runtime + "\r\n");

    ASSERT_EQ(Start(TraceFile()).exitCode, 0u);
    const std::vector<TraceLine> lines = ReadTrace(TraceFile());
    const std::vector<std::string> first = Texts(lines, "x86");
    const std::vector<std::string> second = Texts(lines, "x64");
    const std::string jvm = runtime + "\\bin\\client\\jvm.dll";
    const std::string handOver =
        "hand-over to the pair launcher: " + (pair / "start.exe").string() + " with " +
        (app_ / "start.exe").string() + " a \"b c\"";
    EXPECT_NE(std::find(first.begin(), first.end(),
                        "jvm.dll: " + jvm + " (64-bit: the pair launcher runs it)"),
              first.end());
    EXPECT_NE(std::find(first.begin(), first.end(), handOver), first.end())
        << ::testing::PrintToString(first);
    EXPECT_EQ(first.back(), "exit code: 0");
    EXPECT_NE(std::find(second.begin(), second.end(), "jvm.dll: " + jvm), second.end());
    EXPECT_NE(std::find(second.begin(), second.end(), "main returned"), second.end());
    EXPECT_EQ(second.back(), "exit code: 0");
    // The first launcher's lines about the pair's end come after all of the pair's.
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().bits, "x86");
    EXPECT_EQ(lines.back().text, "exit code: 0");
    EXPECT_EQ(lines[lines.size() - 2].text, "pair launcher ended: exit code 0");
}
#endif

}  // namespace
