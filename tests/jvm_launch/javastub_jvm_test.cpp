// javastub.exe started as a user starts it, with the stand-in jvm.dll as its runtime: what the
// JVM is asked for, what main receives, the exit codes and the lines printed on each failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "in_order.h"
#include "message_box_driver.h"
#include "run_process.h"
#include "scratch_folder.h"
#include "test_text.h"
#include "window_driver.h"

namespace {

namespace fs = std::filesystem;
using testing_support::AnsweredRun;
using testing_support::Contains;
using testing_support::InOrder;
using testing_support::MessageBoxDriver;
using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::ReadFileBytes;
using testing_support::RunProcess;
using testing_support::ScratchFolder;
using testing_support::ThisProgramFolder;
using testing_support::WinePath;

constexpr DWORD kFailed = 0xFFFFFFFFu;  // exit code -1

// The one file in a folder.
fs::path OnlyFile(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    EXPECT_EQ(files.size(), 1u) << folder;
    return files.empty() ? fs::path() : files.front();
}

class JavastubJvm : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(root_ / L"app" / L"classes");
        fs::create_directories(root_ / L"appdata");
        fs::copy_file(fs::path(ThisProgramFolder()) / L"javastub.exe", Program());
        MakeRuntime(WinePath(JVM_DOUBLE));
    }

    fs::path Program() const { return root_ / L"app" / L"start.exe"; }
    // Runs the given launcher program (the console or the windowed one) from now on.
    void UseProgram(const wchar_t* name) {
        fs::copy_file(fs::path(ThisProgramFolder()) / name, Program(),
                      fs::copy_options::overwrite_existing);
    }
    fs::path Runtime() const { return root_ / L"jre"; }

    // A runtime folder as the search takes it: bin\java.dll and the client VM's jvm.dll.
    void MakeRuntime(const fs::path& library) {
        fs::create_directories(Runtime() / L"bin" / L"client");
        std::ofstream(Runtime() / L"bin" / L"java.dll") << "marker";
        fs::copy_file(library, Runtime() / L"bin" / L"client" / L"jvm.dll",
                      fs::copy_options::overwrite_existing);
    }

    // The settings file: the runtime by "JRE Path", then the given [Application] lines.
    void WriteSettings(const std::string& application = {}, const std::string& runtime = {},
                       const std::string& classPath = "classes") {
        std::ofstream(root_ / L"app" / L"start.ini", std::ios::binary)
            << "[Java Runtime Environment]\r\nMain Class=com.example.App\r\nJRE Path="
            << Runtime().string() << "\r\n"
            << runtime << "[Application]\r\n"
            << application << "[Class Path]\r\nClass Path=" << classPath << "\r\n";
    }

    ProcessRequest Request(const std::wstring& arguments = {},
                           std::map<std::wstring, std::optional<std::wstring>> double_ = {},
                           std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
        ProcessRequest request;
        request.program = Program().wstring();
        request.arguments = arguments;
        request.timeout = timeout;
        request.environment = std::move(double_);
        // No per-user settings file: the main file's "JRE Path" counts.
        request.environment[L"APPDATA"] = (root_ / L"appdata").wstring();
        request.environment[L"JAVA_HOME"] = std::nullopt;
        request.environment[L"TS_JVM_DOUBLE_LOG"] = Log().wstring();
        fs::remove(Log());
        return request;
    }

    ProcessResult Start(const std::wstring& arguments = {},
                        std::map<std::wstring, std::optional<std::wstring>> double_ = {},
                        std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
        ProcessResult result = RunProcess(Request(arguments, std::move(double_), timeout));
        EXPECT_TRUE(result.started);
        EXPECT_FALSE(Contains(result.err, "jvm double:")) << result.err;
        return result;
    }

    fs::path Log() const { return root_ / L"record.log"; }
    std::string Record() const { return ReadFileBytes(Log()); }

    ScratchFolder scratch_;
    const fs::path root_ = scratch_.Path();
};

TEST_F(JavastubJvm, TheChosenRuntimeRunsMainWithTheArguments) {
    WriteSettings("Cmd=from-settings \"two words\"\r\n");
    const ProcessResult result = Start(L"a \"b c\" Gr\u00fc\u00dfe\u20ac \U0001F600");
    EXPECT_EQ(result.exitCode, 0u) << result.out << result.err;
    EXPECT_EQ(result.out, "");
    const std::string record = Record();
    EXPECT_TRUE(
        InOrder(record, {"JNI_GetDefaultJavaVMInitArgs version=0x00010001",
                         "library " + (Runtime() / "bin" / "client" / "jvm.dll").string(),
                         "JNI_CreateJavaVM version=0x00010002 ignoreUnrecognized=0 options=3",
                         "option -Djava.class.path=" + (root_ / "app" / "classes").string() + ";",
                         "option abort +extra", "option exit +extra",
                         "checkAndLoadMain printErrors=1 mode=1 name=com.example.App",
                         "main com/example/App args=6 [a] [b c] [Gr\xc3\xbc\xc3\x9f"
                         "e\xe2\x82\xac] "
                         "[\xf0\x9f\x98\x80] [from-settings] [two words]",
                         "DetachCurrentThread"}));
    // The hooks are the last two options.
    const auto exitOption = record.find("option exit +extra\n");
    EXPECT_EQ(record.find("option ", exitOption + 1), std::string::npos) << record;
    EXPECT_EQ(result.err, "");
}

TEST_F(JavastubJvm, SystemExitAndAbortGoThroughTheHooks) {
    WriteSettings();
    const struct {
        const wchar_t* main;
        DWORD exitCode;
        const char* recorded;
    } cases[] = {
        {L"exit:1603", 1603u, "exit hook called 1603\n"},
        // Without a run observer the abort hook does nothing; the JVM then ends the process.
        {L"abort", 134u, "abort hook called\n"},
    };
    for (const auto& c : cases) {
        const ProcessResult result = Start({}, {{L"TS_JVM_DOUBLE_MAIN", c.main}});
        EXPECT_EQ(result.exitCode, c.exitCode) << c.recorded;
        EXPECT_EQ(result.out, "") << c.recorded;
        EXPECT_TRUE(Contains(Record(), c.recorded)) << Record();
    }
}

TEST_F(JavastubJvm, AMissingClassPathIsReportedAndTheJvmStillStarts) {
    std::ofstream(root_ / L"app" / L"start.ini", std::ios::binary)
        << "[Java Runtime Environment]\r\nMain Class=com.example.App\r\nJRE Path="
        << Runtime().string() << "\r\n";
    const ProcessResult result = Start(L"x");
    EXPECT_EQ(result.out, "Error: Java-Klassenpfad wurde in der INI-Datei nicht angegeben. \n");
    EXPECT_EQ(result.exitCode, 0u);
    const std::string record = Record();
    EXPECT_TRUE(Contains(record, "options=2\n")) << record;
    EXPECT_TRUE(Contains(record, "main com/example/App args=1 [x]")) << record;
}

TEST_F(JavastubJvm, ACreationFailurePrintsItsLineAndFails) {
    // Each code's reason is checked in process (ErrorLines); this is the way there.
    WriteSettings();
    const ProcessResult result = Start({}, {{L"TS_JVM_DOUBLE_CREATE_RESULT", L"-4"}});
    EXPECT_EQ(result.exitCode, kFailed);
    EXPECT_EQ(result.out,
              "Error: JNI Fehler: konnte die Java VM nicht erzeugen\nReason: nicht "
              "gen\xc3\xbcgend Arbeitsspeicher.\n \n");
    EXPECT_FALSE(Contains(Record(), "main com/example/App"));
}

TEST_F(JavastubJvm, MissingMainClassOrMainMethod) {
    const std::map<std::wstring, std::optional<std::wstring>> missingClass{
        {L"TS_JVM_DOUBLE_MISSING_CLASSES", L"com/example/App"}};
    WriteSettings();
    // The JDK's launcher helper reports it and ends the process through System.exit(1).
    ProcessResult result = Start({}, missingClass);
    EXPECT_EQ(result.exitCode, 1u);

    // Without the helper: the JVM's description, then the catalogue line.
    MakeRuntime(WinePath(JVM_DOUBLE_NO_FINDER));
    result = Start({}, missingClass);
    EXPECT_EQ(result.exitCode, kFailed);
    EXPECT_TRUE(Contains(result.err, "java.lang.NoClassDefFoundError: com/example/App"))
        << result.err;
    EXPECT_EQ(result.out, "Error: Konnte die Main class com/example/App nicht finden.\n \n");

    result = Start({}, {{L"TS_JVM_DOUBLE_MISSING_METHODS", L"main([Ljava/lang/String;)V"}});
    EXPECT_EQ(result.exitCode, kFailed);
    EXPECT_TRUE(Contains(result.err, "java.lang.NoSuchMethodError: main")) << result.err;
    EXPECT_FALSE(Contains(Record(), "main com/example/App"));
}

TEST_F(JavastubJvm, ALibraryWithoutAnEntryPointOrThatCannotLoad) {
    MakeRuntime(WinePath(JVM_DOUBLE_NO_DEFAULTS));
    WriteSettings();
    ProcessResult result = Start();
    EXPECT_EQ(result.exitCode, kFailed);
    EXPECT_EQ(result.out,
              "Error: Windows Fehler: Kann CreateJavaVM JNI nicht finden (Fehlernummer = 127).\n"
              " \n");
    EXPECT_FALSE(Contains(Record(), "JNI_CreateJavaVM"));

    std::ofstream(Runtime() / L"bin" / L"client" / L"jvm.dll", std::ios::binary) << "not a library";
    result = Start();
    EXPECT_EQ(result.exitCode, kFailed);
    const std::string library = (Runtime() / L"bin" / L"client" / L"jvm.dll").string();
    EXPECT_TRUE(
        result.out.starts_with("Error: Konnte Java VM Bibliothek: " + library + " (Fehlernummer= "))
        << result.out;
    EXPECT_TRUE(result.out.ends_with(") nicht laden.\n \n")) << result.out;
    EXPECT_FALSE(Contains(result.out, "(Fehlernummer= 0)")) << result.out;
}

TEST_F(JavastubJvm, OutputFilesWithTimePicturesInNewFolders) {
    const fs::path out = root_ / L"logs" / L"out" / L"new";
    const fs::path err = root_ / L"logs" / L"err";
    WriteSettings("Output File=" + (out / "app_%yyyyMMdd-HHmmss-L%.log").string() +
                  "\r\nError File=" + (err / "app_%yyyyMMdd-HHmmss-L%.log").string() + "\r\n");
    const ProcessResult result = Start({}, {{L"TS_JVM_DOUBLE_MAIN", L"print"}});
    EXPECT_EQ(result.exitCode, 0u) << result.out << result.err;
    EXPECT_EQ(result.out, "");
    const fs::path outFile = OnlyFile(out);
    const fs::path errFile = OnlyFile(err);
    // One reading of the clock for both names.
    EXPECT_EQ(outFile.filename(), errFile.filename());
    EXPECT_FALSE(Contains(outFile.filename().string(), "%"));
    EXPECT_TRUE(std::regex_match(outFile.filename().string(),
                                 std::regex("app_[0-9]{8}-[0-9]{6}-[0-9]{1,3}\\.log")))
        << outFile;
    EXPECT_EQ(ReadFileBytes(outFile), "main output\n");
    EXPECT_EQ(ReadFileBytes(errFile), "main error\n");
}

TEST_F(JavastubJvm, RelativeOrSlashedOutputFilesGetTheirFolders) {
    // Relative to the current folder, which the JVM resolves against too; "/" as the separator.
    WriteSettings("Override WorkingDir=Yes\r\nOutput File=logs\\new\\out.log\r\nError File=" +
                  (root_ / "errors").string() + "/deep/err.log\r\n");
    const ProcessResult result = Start({}, {{L"TS_JVM_DOUBLE_MAIN", L"print"}});
    EXPECT_EQ(result.exitCode, 0u) << result.out << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadFileBytes(root_ / L"app" / L"logs" / L"new" / L"out.log"), "main output\n");
    EXPECT_EQ(ReadFileBytes(root_ / L"errors" / L"deep" / L"err.log"), "main error\n");
}

TEST_F(JavastubJvm, AppendGrowsTheFileAndOverwriteReplacesIt) {
    const fs::path out = root_ / L"out.log";
    const fs::path err = root_ / L"err.log";
    WriteSettings("Output File=" + out.string() + "\r\nOutput Append=yes\r\nError File=" +
                  err.string() + "\r\nError Append=Yes\r\n");
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(Start({}, {{L"TS_JVM_DOUBLE_MAIN", L"print"}}).exitCode, 0u);
    }
    EXPECT_EQ(ReadFileBytes(out), "main output\nmain output\n");
    // Only the exact "yes" appends.
    EXPECT_EQ(ReadFileBytes(err), "main error\n");
}

TEST_F(JavastubJvm, AnUnopenableOutputFileLeavesTheConsole) {
    std::ofstream(root_ / L"blocker") << "a file where a folder would be";
    WriteSettings("Output File=" + (root_ / L"blocker" / L"out.log").string() + "\r\n");
    const ProcessResult result = Start({}, {{L"TS_JVM_DOUBLE_MAIN", L"print"}});
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(Contains(result.err, "java.io.FileNotFoundException")) << result.err;
    EXPECT_TRUE(Contains(result.out, "main output\n")) << result.out;
}

TEST_F(JavastubJvm, FailureCheckBuildsTheTextAndTheRunStillSucceeds) {
    WriteSettings("Failure Check=YES\r\n");
    ProcessResult result = Start({}, {{L"TS_JVM_DOUBLE_MAIN", L"throw"}});
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(Contains(Record(), "printStackTrace java/lang/IllegalStateException\n"));

    WriteSettings();
    result = Start({}, {{L"TS_JVM_DOUBLE_MAIN", L"throw"}});
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_FALSE(Contains(Record(), "printStackTrace"));
}

TEST_F(JavastubJvm, AStackTooLargeForAThreadRunsTheJvmOnTheEntryThread) {
    // "-Xss" sizes the launcher thread, so the runtime's default is not asked for. A 32-bit
    // process cannot make a thread with this stack: main then runs on the entry thread.
    WriteSettings({}, "Virtual Machine Parameters=-Xss1900m\r\n");
    const ProcessResult result = Start();
    EXPECT_EQ(result.exitCode, 0u) << result.out << result.err;
    const std::string record = Record();
    EXPECT_FALSE(Contains(record, "JNI_GetDefaultJavaVMInitArgs")) << record;
    EXPECT_TRUE(InOrder(
        record, {"option -Xss1900m", "main com/example/App args=0", "DetachCurrentThread"}));
}

TEST_F(JavastubJvm, APreferredIbmRuntimeKeepsTheProcessAfterMain) {
    WriteSettings({}, "VM Provider=ibm\r\n");
    // Staying has no end to wait for: the process must still be there, main done, after a
    // time long enough for main to have run even on a loaded machine.
    const ProcessResult result = Start({}, {}, std::chrono::seconds(10));
    EXPECT_TRUE(result.timedOut);
    const std::string record = Record();
    EXPECT_TRUE(Contains(record, "main com/example/App args=0\n")) << record;
    EXPECT_FALSE(Contains(record, "DetachCurrentThread")) << record;
}

TEST_F(JavastubJvm, TheWindowedLauncherRunsTheSameJavaApplication) {
    WriteSettings("Cmd=from-settings\r\n", "Virtual Machine Parameters=-Xmx64m\r\n");
    for (const wchar_t* main : {L"", L"exit:1603", L"throw"}) {
        std::map<std::wstring, std::optional<std::wstring>> double_;
        if (*main != L'\0') {
            double_[L"TS_JVM_DOUBLE_MAIN"] = main;
        }
        UseProgram(L"javastub.exe");
        const ProcessResult console = Start(L"a \"b c\"", double_);
        const std::string consoleRecord = Record();
        UseProgram(WINDOWED_LAUNCHER);
        const ProcessResult windowed = Start(L"a \"b c\"", double_);
        EXPECT_EQ(windowed.exitCode, console.exitCode) << main;
        EXPECT_EQ(Record(), consoleRecord) << main;
        EXPECT_TRUE(
            Contains(consoleRecord, "main com/example/App args=3 [a] [b c] [from-settings]"))
            << consoleRecord;
    }
}

TEST_F(JavastubJvm, AWindowedStartWithoutOutputShowsAllItsLinesInOneBox) {
    MessageBoxDriver driver;
    ASSERT_TRUE(driver.Watching());
    UseProgram(WINDOWED_LAUNCHER);
    // A missing class path is reported and the start goes on, until the JVM fails.
    WriteSettings({}, {}, "");
    ProcessRequest request = Request({}, {{L"TS_JVM_DOUBLE_CREATE_RESULT", L"-4"}});
    request.withoutStandardOutput = true;
    const AnsweredRun run = RunAnsweringBoxes(driver, request);
    EXPECT_EQ(run.result.exitCode, kFailed);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].title, L"start");
    EXPECT_EQ(run.boxes[0].text,
              L"Error: Java-Klassenpfad wurde in der INI-Datei nicht angegeben. \n"
              L"Error: JNI Fehler: konnte die Java VM nicht erzeugen\n"
              L"Reason: nicht gen\u00fcgend Arbeitsspeicher.");
    EXPECT_EQ(run.boxes[0].icon, std::optional<UINT>(MB_ICONHAND));
}

#if defined(PAIR_LAUNCHER) && defined(PAIR_JVM_DOUBLE)
TEST_F(JavastubJvm, A64BitRuntimeRunsInTheRealPairAndItsExitCodeComesBack) {
    const fs::path pairLauncher = WinePath(PAIR_LAUNCHER);
    const fs::path pairLibrary = WinePath(PAIR_JVM_DOUBLE);
    // tools/test.sh builds the windows-x64 preset first; a hand-made run must do the same.
    ASSERT_TRUE(fs::exists(pairLauncher)) << "build the windows-x64 preset first";
    ASSERT_TRUE(fs::exists(pairLibrary)) << "build the windows-x64 preset first";
    MakeRuntime(pairLibrary);
    WriteSettings("Pair Product=" + (root_ / "app" / "x64" / "start.exe").string() +
                  "\r\nPair Return Code=Yes\r\n");
    // The pair reads the settings beside itself; without "Pair Product" it runs the runtime.
    fs::create_directories(root_ / L"app" / L"x64");
    fs::copy_file(pairLauncher, root_ / L"app" / L"x64" / L"start.exe");
    std::ofstream(root_ / L"app" / L"x64" / L"start.ini", std::ios::binary)
        << "[Java Runtime Environment]\r\nMain Class=com.example.App\r\nJRE Path="
        << Runtime().string() << "\r\n[Class Path]\r\nClass Path=classes\r\n";

    const ProcessResult result = Start(L"a \"b c\"", {{L"TS_JVM_DOUBLE_MAIN", L"exit:1603"}});
    EXPECT_EQ(result.exitCode, 1603u) << result.out << result.err;
    const std::string record = Record();
    EXPECT_TRUE(
        InOrder(record, {"main com/example/App args=2 [a] [b c]", "exit hook called 1603"}));
}
#endif

#if defined(PAIR_WINDOWED_LAUNCHER) && defined(PAIR_LAUNCHER) && defined(PAIR_JVM_DOUBLE)
TEST_F(JavastubJvm, TheWindowedLauncherHandsOverToTheWindowedPair) {
    const fs::path consolePair = WinePath(PAIR_LAUNCHER);
    const fs::path windowedPair = WinePath(PAIR_WINDOWED_LAUNCHER);
    const fs::path pairLibrary = WinePath(PAIR_JVM_DOUBLE);
    // tools/test.sh builds the windows-x64 preset first; a hand-made run must do the same.
    for (const fs::path& built : {consolePair, windowedPair, pairLibrary}) {
        ASSERT_TRUE(fs::exists(built)) << "build the windows-x64 preset first";
    }
    MakeRuntime(pairLibrary);
    // Both pairs under their built names, each with settings that tell them apart.
    const fs::path x64 = root_ / L"app" / L"x64";
    fs::create_directories(x64 / L"classes");
    for (const auto& [pair, kind] :
         {std::pair{consolePair, "console"}, {windowedPair, "windowed"}}) {
        fs::copy_file(pair, x64 / pair.filename());
        std::ofstream(x64 / pair.filename().replace_extension(".ini"), std::ios::binary)
            << "[Java Runtime Environment]\r\nMain Class=com.example.App\r\nJRE Path="
            << Runtime().string() << "\r\n[Application]\r\nCmd=" << kind
            << "\r\n[Class Path]\r\nClass Path=classes\r\n";
    }
    // The settings name the console pair, as the console launcher's settings do.
    WriteSettings("Pair Product=" + (x64 / consolePair.filename()).string() +
                  "\r\nPair Return Code=Yes\r\n");
    for (const auto& [program, kind] :
         {std::pair{WINDOWED_LAUNCHER, "windowed"}, {L"javastub.exe", "console"}}) {
        UseProgram(program);
        const ProcessResult result = Start(L"a", {{L"TS_JVM_DOUBLE_MAIN", L"exit:1603"}});
        EXPECT_EQ(result.exitCode, 1603u) << kind << result.out;
        EXPECT_TRUE(
            Contains(Record(), std::string("main com/example/App args=2 [a] [") + kind + "]\n"))
            << Record();
    }
}
#endif

// Settings files at their limits: each run ends by itself within the timeout with a defined
// result, and what the file says is read whole.
TEST_F(JavastubJvm, SettingsFilesAtTheirLimits) {
    const std::string settings =
        "[Java Runtime Environment]\r\nMain Class=com.example.App\r\n"
        "JRE Path=" +
        Runtime().string() + "\r\n[Class Path]\r\nClass Path=classes\r\n";
    const auto run = [this](const std::string& bytes) {
        std::ofstream(Program().parent_path() / L"start.ini", std::ios::binary) << bytes;
        const ProcessResult result = Start({}, {}, std::chrono::seconds(60));
        EXPECT_FALSE(result.timedOut);
        return result;
    };
    const std::string mainCalled = "main com/example/App args=";

    // 1 MB of other sections in front of the settings.
    std::string megabyte;
    for (int i = 0; megabyte.size() < (1u << 20); ++i) {
        megabyte += "[Other " + std::to_string(i) + "]\r\nKey=" + std::string(200, 'v') + "\r\n";
    }
    ProcessResult result = run(megabyte + settings);
    EXPECT_EQ(result.exitCode, 0u) << result.out;
    EXPECT_TRUE(Contains(Record(), mainCalled + "0")) << result.out;

    // A value of 100 000 characters reaches main whole.
    const std::string longValue(100000, 'x');
    result = run(settings + "[Application]\r\nCmd=" + longValue + "\r\n");
    EXPECT_EQ(result.exitCode, 0u) << result.out;
    EXPECT_TRUE(Contains(Record(), mainCalled + "1 [" + longValue + "]\n"));

    // 10 000 keys in a "+" section, the one looked for last: found, with its blank in front.
    std::string chain =
        "[Java Runtime Environment]\r\nMain Class=\r\nJRE Path=" + Runtime().string() +
        "\r\n[Java Runtime Environment+]\r\n";
    for (int i = 0; i < 10000; ++i) {
        chain += "Key " + std::to_string(i) + "=value " + std::to_string(i) + "\r\n";
    }
    result = run(chain + "Main Class=com.example.App\r\n[Class Path]\r\nClass Path=classes\r\n");
    EXPECT_EQ(result.exitCode, 0u) << result.out;
    EXPECT_TRUE(Contains(Record(), "name= com.example.App")) << Record();

    // Binary bytes (NULs, lone carriage returns, bytes above 0x7F) in front of the settings.
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary.push_back(static_cast<char>((i * 151 + 7) % 256));
    }
    result = run(binary + "\r\n" + settings);
    EXPECT_EQ(result.exitCode, 0u) << result.out;
    EXPECT_TRUE(Contains(Record(), mainCalled + "0")) << result.out;

    // UTF-16 with a byte-order mark: read as text, so a value outside the ANSI code page
    // reaches main unchanged.
    const std::wstring wide = L"\ufeff" + std::wstring(settings.begin(), settings.end()) +
                              L"[Application]\r\nCmd=\u03a9\u4e2d\r\n";
    result = run(std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2));
    EXPECT_EQ(result.exitCode, 0u) << result.out;
    EXPECT_TRUE(Contains(Record(), mainCalled + "1 [\xce\xa9\xe4\xb8\xad]")) << Record();
}

// What the Java program leaves is shown by the windowed program in "Java Fehler", when its
// standard error goes nowhere: Stop and Ignorieren, a flood, and the starts that show nothing.
TEST_F(JavastubJvm, TheWindowedProgramShowsUncaughtExceptions) {
    constexpr int kNone = 0;
    const fs::path release = root_ / L"release.flag";
    const struct {
        const char* what;
        const wchar_t* program;
        bool redirected;
        const char* application;
        const wchar_t* main;
        int press;
        DWORD exitCode;
        const char* recorded;  // "" for nothing to look for
    } cases[] = {
        {"main, Stop", WINDOWED_LAUNCHER, false, "", L"throw", IDCANCEL, 0, ""},
        {"main, Ignorieren", WINDOWED_LAUNCHER, false, "", L"throw", IDOK, 0,
         "DetachCurrentThread"},
        {"thread, Stop", WINDOWED_LAUNCHER, false, "", L"threads-throw:1", IDCANCEL, 1,
         "System.exit 1"},
        {"twenty threads, Ignorieren", WINDOWED_LAUNCHER, false, "", L"threads-throw:20", IDOK, 0,
         "released after threads"},
        {"console program", L"javastub.exe", false, "", L"throw", kNone, 0, ""},
        {"redirected", WINDOWED_LAUNCHER, true, "", L"throw", kNone, 0, ""},
        {"switched off", WINDOWED_LAUNCHER, false, "Exception Dialog= Off\r\n", L"throw", kNone, 0,
         ""},
    };
    for (const auto& c : cases) {
        UseProgram(c.program);
        WriteSettings(c.application);
        fs::remove(release);
        ProcessRequest request = Request({},
                                         {{L"TS_JVM_DOUBLE_MAIN", c.main},
                                          {L"TS_JVM_DOUBLE_HOLD_AFTER_THREADS", release.wstring()}},
                                         std::chrono::seconds(c.press == kNone ? 10 : 60));
        request.withoutStandardOutput = !c.redirected;
        ProcessResult result;
        std::thread run([&] { result = RunProcess(request); });
        if (c.press != kNone) {
            const HWND dialog = ui_driver::WaitForDialog(L"Java Fehler");
            EXPECT_NE(dialog, nullptr) << c.what;
            EXPECT_NE(ui_driver::ControlText(dialog, 208).find(L"java.lang.IllegalStateException"),
                      std::wstring::npos)
                << c.what;
            // The other reports of a flood arrive while the dialog is open.
            const bool threads = std::wstring_view(c.main).starts_with(L"threads");
            ui_driver::WaitUntil(
                [&] { return !threads || Contains(Record(), "threads reported"); });
            ui_driver::PressButton(dialog, c.press);
            ui_driver::WaitForWindowGone(dialog);
            EXPECT_EQ(ui_driver::WaitForDialog(L"Java Fehler", std::chrono::seconds(1)), nullptr)
                << c.what;
            std::ofstream(release) << "go";
        }
        run.join();
        EXPECT_FALSE(result.timedOut) << c.what;
        EXPECT_EQ(result.exitCode, c.exitCode) << c.what << result.out;
        EXPECT_TRUE(Contains(Record(), c.recorded)) << c.what << Record();
    }
}

// "Class Data Archive": each start in turn, what it asks the JVM for and what the archive
// folder holds afterwards. The stand-in writes an archive when it ends. Wine sets
// LOCALAPPDATA itself, for this test as for the launcher.
TEST_F(JavastubJvm, AClassDataArchiveIsMadeOnceThenUsedAndRenewedWhenTheRunChanges) {
    const fs::path folder = fs::path(_wgetenv(L"LOCALAPPDATA")) / L"start";
    fs::remove_all(folder);
    const fs::path base = Runtime() / L"bin" / L"client" / L"classes.jsa";
    std::ofstream(base) << "base";
    std::ofstream(root_ / L"app" / L"app.jar") << "classes";
    const auto release = [this](const char* version) {
        std::ofstream(Runtime() / L"release")
            << "IMPLEMENTOR=\"x\"\nJAVA_VERSION=\"" << version << "\"\n";
    };
    const std::string cpLine =
        "option -Djava.class.path=" + (root_ / "app" / "app.jar").string() + ";";
    const std::string prefix = (folder / (sizeof(void*) == 8 ? "x64-" : "x86-")).string();
    std::string complete;  // the archive left by the last start that made one
    std::string lastStem;
    const struct {
        const char* what;
        std::function<void()> before;
        std::string settings;  // [Java Runtime Environment] lines
        const char* asks;      // "exit", "auto", "use" or "" (no archive)
        std::string classPath = "app.jar";
        bool sameKey = false;  // the archive made has the last one's key
    } steps[] = {
        {"first start", [&] { release("17.0.2"); }, "", "exit"},
        {"second start", [] {}, "", "use"},
        {"changed jar", [&] { std::ofstream(root_ / L"app" / L"app.jar") << "changed"; }, "",
         "exit"},
        {"damaged archive", [&] { std::ofstream(folder / complete) << "x"; }, "", "exit", "app.jar",
         true},
        {"version 21", [&] { release("21"); }, "", "auto"},
        {"version 11", [&] { release("11.0.2"); }, "", ""},
        {"own choice", [&] { release("17.0.2"); }, "Virtual Machine Parameters=-Xshare:off\r\n",
         ""},
        {"setting off", [] {}, "Class Data Archive=x\r\n", ""},
        {"class folder", [] {}, "", "", "classes"},
        {"no base archive", [&] { fs::remove(base); }, "", ""},
    };
    for (const auto& step : steps) {
        step.before();
        WriteSettings({}, step.settings.empty() ? "Class Data Archive= ON \r\n" : step.settings,
                      step.classPath);
        const ProcessResult result = Start();
        EXPECT_EQ(result.exitCode, 0u) << step.what << result.out;
        const std::string record = Record();
        const std::string asks = step.asks;
        if (asks == "exit" || asks == "auto") {
            const std::string option =
                "option -Xlog:cds*=off\n" +
                std::string(asks == "exit" ? "option -XX:ArchiveClassesAtExit="
                                           : "option -XX:+AutoCreateSharedArchive\noption "
                                             "-XX:SharedArchiveFile=") +
                prefix;
            const std::size_t at = record.find(option);
            ASSERT_NE(at, std::string::npos) << step.what << record;
            const std::size_t nameAt = at + option.size();
            const std::string name = record.substr(nameAt, record.find('\n', nameAt) - nameAt);
            std::smatch made;
            ASSERT_TRUE(std::regex_match(name, made, std::regex("([0-9a-f]{16})\\.[0-9]+\\.part")))
                << name;
            EXPECT_TRUE(
                InOrder(record, {cpLine, "Runtime.halt 0", "archive written " + prefix + name}))
                << record;
            const std::string stem = fs::path(prefix).filename().string() + made[1].str();
            EXPECT_EQ(stem == lastStem, step.sameKey) << step.what;
            lastStem = stem;
            complete = OnlyFile(folder).filename().string();
            EXPECT_TRUE(complete.starts_with(stem + "-") && complete.ends_with(".jsa")) << complete;
        } else if (asks == "use") {
            EXPECT_TRUE(Contains(record, "option -Xlog:cds*=off\noption -XX:SharedArchiveFile=" +
                                             (folder / complete).string() + "\n" + cpLine))
                << record;
            EXPECT_FALSE(Contains(record, "halt")) << record;
        } else {
            EXPECT_FALSE(Contains(record, "cds")) << step.what << record;
        }
    }
    fs::remove_all(folder);
}

}  // namespace
