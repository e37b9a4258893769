// javastub.exe as a service of the test prefix's service control manager, with the stand-in
// jvm.dll as its runtime. The stand-in reads its instructions from the file beside it, since a
// service does not inherit the test's environment.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "in_order.h"
#include "run_process.h"
#include "scratch_folder.h"
#include "service_control.h"
#include "test_text.h"

namespace {

namespace fs = std::filesystem;
using testing_support::Contains;
using testing_support::InOrder;
using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::ReadFileBytes;
using testing_support::RunProcess;
using testing_support::ScratchFolder;
using testing_support::TestService;
using testing_support::UniqueServiceName;
using testing_support::WinePath;

using DoubleSettings = std::map<std::string, std::string>;

// Service names are plain ASCII.
std::string Ascii(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// The thread numbers recorded on lines that start with prefix, in order.
std::vector<std::string> Threads(const std::string& record, const std::string& prefix) {
    std::vector<std::string> threads;
    const std::regex line("^" + prefix + ".*thread=(\\d+)$");
    for (const std::string& text : testing_support::Lines(record)) {
        std::smatch match;
        if (std::regex_match(text, match, line)) {
            threads.push_back(match[1]);
        }
    }
    return threads;
}

class JavastubService : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(root_ / L"app" / L"classes");
        fs::create_directories(Runtime() / L"bin" / L"client");
        fs::copy_file(WinePath(JAVASTUB), Program());
        std::ofstream(Runtime() / L"bin" / L"java.dll") << "marker";
        fs::copy_file(WinePath(JVM_DOUBLE), Runtime() / L"bin" / L"client" / L"jvm.dll");
        WriteSettings("Application Type=service\r\n");
        SetDouble({});
    }

    fs::path Program() const { return root_ / L"app" / L"start.exe"; }
    fs::path Runtime() const { return root_ / L"jre"; }
    fs::path Log() const { return root_ / L"record.log"; }
    std::string Record() const { return ReadFileBytes(Log()); }

    void WriteSettings(const std::string& application) {
        std::ofstream(root_ / L"app" / L"start.ini", std::ios::binary)
            << "[Java Runtime Environment]\r\nMain Class=com.example.App\r\nJRE Path="
            << Runtime().string() << "\r\n[Application]\r\n"
            << application << "[Class Path]\r\nClass Path=classes\r\n";
    }

    // The stand-in's instructions for the next start; the record starts empty.
    void SetDouble(const DoubleSettings& settings) {
        std::ofstream file(Runtime() / L"bin" / L"client" / L"double.settings", std::ios::binary);
        file << "TS_JVM_DOUBLE_LOG=" << Log().string() << "\r\n";
        for (const auto& [name, value] : settings) {
            file << "TS_JVM_DOUBLE_" << name << "=" << value << "\r\n";
        }
        fs::remove(Log());
    }

    // Waits until the stand-in has recorded a line with part: the service manager may still
    // show the previous run's STOPPED for a moment after a start.
    bool WaitForRecord(const std::string& part) const {
        for (int i = 0; i < 4000 && !Contains(Record(), part); ++i) {
            ::Sleep(5);
        }
        return Contains(Record(), part);
    }

    // Waits until the record holds these whole lines in this order.
    ::testing::AssertionResult WaitForLines(const std::vector<std::string>& lines) const {
        for (int i = 0; i < 4000 && !InOrder(Record(), lines); ++i) {
            ::Sleep(5);
        }
        return InOrder(Record(), lines);
    }

    // The recorded main line of the last run.
    std::string MainLine() const {
        for (const std::string& line : testing_support::Lines(Record())) {
            if (line.starts_with("main com/example/App ")) {
                return line.substr(21);
            }
        }
        return {};
    }

    ScratchFolder scratch_;
    const fs::path root_ = scratch_.Path();
};

const DoubleSettings kUntilStop{{"SERVICE_MAIN", "until-stop"}};

TEST_F(JavastubService, StartParametersReachMainAfterTheServiceName) {
    std::vector<std::wstring> hundred;
    std::string hundredArgs;
    for (int i = 0; i < 100; ++i) {
        hundred.push_back(L"p" + std::to_wstring(i));
        hundredArgs += " [p" + std::to_string(i) + "]";
    }
    TestService service(UniqueServiceName(L"args"), Program().wstring());
    const std::string name = Ascii(service.Name());
    struct Case {
        std::string omit;  // "Omit Service Name" line, if any
        std::vector<std::wstring> parameters;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"", {L"-x", L"y"}, "args=3 [" + name + "] [-x] [y]"},
        {"Omit Service Name=1\r\n", {L"-x", L"y"}, "args=2 [-x] [y]"},
        {"Omit Service Name=0\r\n", {L"-x", L"y"}, "args=2 [-x] [y]"},
        {"", {}, "args=1 [" + name + "]"},
        {"Omit Service Name=yes\r\n", {}, "args=0"},
        {"",
         {L"Gr\u00fc\u00dfe", L"\U0001F600 x"},
         "args=3 [" + name +
             "] [Gr\xc3\xbc\xc3\x9f"
             "e] [\xf0\x9f\x98\x80 x]"},
        {"", hundred, "args=101 [" + name + "]" + hundredArgs},
    };
    for (const Case& c : cases) {
        WriteSettings("Application Type=service\r\n" + c.omit);
        SetDouble(kUntilStop);
        ASSERT_TRUE(service.Start(c.parameters));
        ASSERT_TRUE(service.WaitFor(SERVICE_RUNNING)) << c.expected;
        ASSERT_EQ(service.Control(SERVICE_CONTROL_STOP), 0u);
        ASSERT_TRUE(service.WaitFor(SERVICE_STOPPED)) << Record();
        EXPECT_TRUE(WaitForRecord("main com/example/App ")) << c.omit;
        EXPECT_EQ(MainLine(), c.expected)
            << c.omit << " exit " << service.Query().dwWin32ExitCode << "\n"
            << Record();
        EXPECT_TRUE(service.WaitForProcessEnd());
    }
}

TEST_F(JavastubService, AStopRequestCallsStopOnAThreadOfItsOwn) {
    SetDouble({{"SERVICE_MAIN", "until-stop"}, {"SERVICE_STOPS", "2"}});
    TestService service(UniqueServiceName(L"stop"), Program().wstring());
    ASSERT_TRUE(service.Start());
    ASSERT_TRUE(service.WaitFor(SERVICE_RUNNING));
    SERVICE_STATUS_PROCESS status = service.Query();
    EXPECT_EQ(status.dwServiceType, static_cast<DWORD>(SERVICE_WIN32_OWN_PROCESS));
    EXPECT_EQ(status.dwControlsAccepted,
              static_cast<DWORD>(SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN));
    EXPECT_EQ(status.dwWaitHint, 0u);
    EXPECT_EQ(service.Control(SERVICE_CONTROL_INTERROGATE), 0u);
    EXPECT_EQ(service.Query().dwCurrentState, static_cast<DWORD>(SERVICE_RUNNING));

    ASSERT_EQ(service.Control(SERVICE_CONTROL_STOP), 0u);
    ASSERT_TRUE(service.WaitFor(SERVICE_STOP_PENDING));
    status = service.Query();
    EXPECT_EQ(status.dwWaitHint, 3000u);
    EXPECT_EQ(status.dwWin32ExitCode, 0u);
    // This main wants two stops; the manager passes no control on while a stop is pending,
    // so the service stays there until its process is ended from outside.
    EXPECT_EQ(service.Control(SERVICE_CONTROL_STOP),
              static_cast<DWORD>(ERROR_SERVICE_CANNOT_ACCEPT_CTRL));
    EXPECT_EQ(service.Control(SERVICE_CONTROL_INTERROGATE),
              static_cast<DWORD>(ERROR_SERVICE_CANNOT_ACCEPT_CTRL));
    // Stop has been called and has returned; the service still waits for a second stop.
    EXPECT_TRUE(WaitForLines({"stop com/example/App", "DetachCurrentThread"}));
    EXPECT_EQ(service.Query().dwCurrentState, static_cast<DWORD>(SERVICE_STOP_PENDING));

    const std::string record = Record();
    const auto main = Threads(record, "service main");
    const auto stops = Threads(record, "service stop");
    ASSERT_EQ(main.size(), 1u) << record;
    ASSERT_EQ(stops.size(), 1u) << record;
    EXPECT_NE(main[0], stops[0]) << record;
    EXPECT_TRUE(InOrder(record, {"AttachCurrentThread", "FindClass com/example/App",
                                 "GetStaticMethodID com/example/App stop ()V",
                                 "stop com/example/App", "DetachCurrentThread"}))
        << record;
    EXPECT_FALSE(Contains(record, "System.exit")) << record;
}

TEST_F(JavastubService, StopEndsMainAndTheServiceStops) {
    SetDouble(kUntilStop);
    TestService service(UniqueServiceName(L"stopped"), Program().wstring());
    ASSERT_TRUE(service.Start());
    ASSERT_TRUE(service.WaitFor(SERVICE_RUNNING));
    ASSERT_EQ(service.Control(SERVICE_CONTROL_STOP), 0u);
    ASSERT_TRUE(service.WaitFor(SERVICE_STOPPED)) << Record();
    EXPECT_EQ(service.Query().dwWin32ExitCode, 0u);
    EXPECT_TRUE(service.WaitForProcessEnd());
    EXPECT_TRUE(
        InOrder(Record(), {"stop com/example/App", "service main returns", "DestroyJavaVM"}))
        << Record();
    // Once stopped, the manager refuses further stops itself.
    EXPECT_EQ(service.Control(SERVICE_CONTROL_STOP), static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
}

// How each way of ending appears to the service control manager.
TEST_F(JavastubService, EachWayTheApplicationEnds) {
    struct Case {
        const char* what;
        DoubleSettings settings;
        bool sendStop;
        // Whether the launcher reports STOPPED. When it does not, the manager's bookkeeping
        // of the ended process is its own (wine keeps the last report; Windows shows 1067).
        bool reportsStopped;
        DWORD exitCode;
        std::vector<std::string> record;
    };
    const std::vector<Case> cases{
        {"no stop method: System.exit(0)",
         {{"SERVICE_MAIN", "until-stop"}, {"MISSING_METHODS", "stop()V"}},
         true,
         true,
         0,
         {"System.exit 0", "exit hook called 0"}},
        {"stop calls System.exit(0)",
         {{"SERVICE_MAIN", "until-stop"}, {"SERVICE_STOP", "exit:0"}},
         true,
         true,
         0,
         {"stop com/example/App", "exit hook called 0"}},
        {"stop calls System.exit(3)",
         {{"SERVICE_MAIN", "until-stop"}, {"SERVICE_STOP", "exit:3"}},
         true,
         false,
         0,
         {"stop com/example/App", "exit hook called 3"}},
        {"main calls System.exit(3)",
         {{"MAIN", "exit:3"}},
         false,
         false,
         0,
         {"exit hook called 3"}},
        {"main returns", {}, false, true, 0, {"DetachCurrentThread", "DestroyJavaVM"}},
        {"the JVM cannot be created",
         {{"CREATE_RESULT", "-1"}},
         false,
         true,
         0xFFFFFFFF,
         {"JNI_CreateJavaVM version=0x00010002 ignoreUnrecognized=0 options=3"}},
        {"main throws",
         {{"MAIN", "throw"}},
         false,
         true,
         0,
         {"DetachCurrentThread uncaught java/lang/IllegalStateException", "DestroyJavaVM"}},
    };
    TestService service(UniqueServiceName(L"ends"), Program().wstring());
    for (const Case& c : cases) {
        SetDouble(c.settings);
        ASSERT_TRUE(service.Start()) << c.what;
        if (c.sendStop) {
            ASSERT_TRUE(service.WaitFor(SERVICE_RUNNING)) << c.what;
            EXPECT_EQ(service.Control(SERVICE_CONTROL_STOP), 0u) << c.what;
        }
        EXPECT_TRUE(WaitForRecord(c.record.back())) << c.what;
        EXPECT_TRUE(service.WaitForProcessEnd()) << c.what;
        if (c.reportsStopped) {
            EXPECT_TRUE(service.WaitFor(SERVICE_STOPPED)) << c.what;
            EXPECT_EQ(service.Query().dwWin32ExitCode, c.exitCode) << c.what;
        } else {
            EXPECT_NE(service.Query().dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED))
                << c.what;
        }
        EXPECT_TRUE(InOrder(Record(), c.record)) << c.what;
    }
}

TEST_F(JavastubService, StopsBeforeTheJvmOrAfterMainHaveAnOutcome) {
    TestService service(UniqueServiceName(L"early"), Program().wstring());

    // Before the JVM exists: the request waits until main has been entered.
    SetDouble({{"SERVICE_MAIN", "until-stop"}, {"SERVICE_CREATE_DELAY", "1000"}});
    ASSERT_TRUE(service.Start());
    ASSERT_TRUE(service.WaitFor(SERVICE_RUNNING));
    ASSERT_EQ(service.Control(SERVICE_CONTROL_STOP), 0u);
    ASSERT_TRUE(service.WaitFor(SERVICE_STOPPED)) << Record();
    EXPECT_EQ(service.Query().dwWin32ExitCode, 0u);
    const std::string record = Record();
    EXPECT_LT(record.find("service main thread="), record.find("stop com/example/App")) << record;
    EXPECT_TRUE(InOrder(record, {"stop com/example/App", "service main returns", "DestroyJavaVM"}))
        << record;
    EXPECT_TRUE(service.WaitForProcessEnd());

    // After main has returned, while the JVM waits to end: stop is still called.
    SetDouble({{"SERVICE_DESTROY_DELAY", "1000"}});
    ASSERT_TRUE(service.Start());
    ASSERT_TRUE(service.WaitFor(SERVICE_RUNNING));
    ASSERT_TRUE(WaitForRecord("DestroyJavaVM"));
    ASSERT_EQ(service.Control(SERVICE_CONTROL_STOP), 0u);
    ASSERT_TRUE(service.WaitFor(SERVICE_STOPPED)) << Record();
    EXPECT_EQ(service.Query().dwWin32ExitCode, 0u);
    EXPECT_TRUE(InOrder(Record(), {"DestroyJavaVM", "stop com/example/App"})) << Record();
    EXPECT_TRUE(service.WaitForProcessEnd());
}

TEST_F(JavastubService, SingleInstanceStaysOffForServices) {
    WriteSettings("Application Type=service\r\nSingle Instance=yes\r\n");
    SetDouble(kUntilStop);
    TestService first(UniqueServiceName(L"one"), Program().wstring());
    TestService second(UniqueServiceName(L"two"), Program().wstring());
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(first.WaitFor(SERVICE_RUNNING));
    ASSERT_TRUE(second.Start());
    ASSERT_TRUE(second.WaitFor(SERVICE_RUNNING));
    EXPECT_TRUE(WaitForRecord("args=1 [" + Ascii(second.Name()) + "]"));
    EXPECT_EQ(Threads(Record(), "service main").size(), 2u) << Record();
    EXPECT_NE(first.Query().dwProcessId, second.Query().dwProcessId);
    EXPECT_TRUE(Contains(Record(), "args=1 [" + Ascii(first.Name()) + "]"));
    EXPECT_TRUE(Contains(Record(), "args=1 [" + Ascii(second.Name()) + "]"));
    ASSERT_EQ(first.Control(SERVICE_CONTROL_STOP), 0u);
    ASSERT_EQ(second.Control(SERVICE_CONTROL_STOP), 0u);
    EXPECT_TRUE(first.WaitFor(SERVICE_STOPPED));
    EXPECT_TRUE(second.WaitFor(SERVICE_STOPPED));
}

// Without a main class the launcher ends before it reaches the service control manager.
// No runtime to find: the service's station has nobody to answer the runtime dialog, so none
// is shown and the start ends at once, remembering nothing.
TEST_F(JavastubService, UnusableSettingsOrNoRuntimeFailTheStart) {
    const std::string noRuntime =
        "[Java Runtime Environment]\r\nMain Class=com.example.App\r\n"
        "JRE Path=" +
        (root_ / "none").string() + "\r\n[Application]\r\nApplication Type=service\r\n";
    for (const std::string& settings :
         {std::string("[Application]\r\nApplication Type=service\r\n"), noRuntime}) {
        std::ofstream(root_ / L"app" / L"start.ini", std::ios::binary) << settings;
        TestService service(UniqueServiceName(L"unusable"), Program().wstring());
        EXPECT_FALSE(::StartServiceW(service.Handle(), 0, nullptr));
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SERVICE_REQUEST_TIMEOUT));
        EXPECT_EQ(service.Query().dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED));
        EXPECT_EQ(ReadFileBytes(root_ / L"app" / L"start.ini"), settings);
        EXPECT_FALSE(Contains(Record(), "JNI_CreateJavaVM"));
    }
}

// Started from a console: only the exact "service" asks for the service control manager.
TEST_F(JavastubService, ConsoleStarts) {
    struct Case {
        std::string type;
        DWORD exitCode;
        bool mainRuns;
    };
    for (const Case& c : std::vector<Case>{{"Service", 0, true}, {"service", 1063, false}}) {
        WriteSettings("Application Type=" + c.type + "\r\n");
        ProcessRequest request;
        request.program = Program().wstring();
        request.arguments = L"a b";
        request.environment[L"TS_JVM_DOUBLE_LOG"] = Log().wstring();
        fs::remove(Log());
        const ProcessResult result = RunProcess(request);
        ASSERT_TRUE(result.started);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.type;
        EXPECT_EQ(result.out, "") << c.type;
        EXPECT_EQ(MainLine() == "args=2 [a] [b]", c.mainRuns) << c.type << "\n" << Record();
    }
}

}  // namespace
