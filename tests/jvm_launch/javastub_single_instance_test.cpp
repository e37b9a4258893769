// Several javastub.exe processes started from the same file with "Single Instance" on: the
// first runs the application (the stand-in jvm.dll), later starts hand it their arguments and
// end with its answer.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "in_order.h"
#include "run_process.h"
#include "scratch_folder.h"
#include "test_text.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::Contains;
using testing_support::InOrder;
using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::ReadFileBytes;
using testing_support::RunProcess;
using testing_support::ScratchFolder;
using testing_support::ThisProgramFolder;
using testing_support::WinePath;

using Environment = std::map<std::wstring, std::optional<std::wstring>>;

constexpr DWORD kFailed = 0xFFFFFFFFu;  // exit code -1
const std::string kVoidCall = "secondaryMain com/example/App ([Ljava/lang/String;)V ";
const std::wstring kVoidForm = L"secondaryMain([Ljava/lang/String;)V";
const std::wstring kIntForm = L"secondaryMain([Ljava/lang/String;)I";

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The thread ids in the record after each occurrence of prefix ("hold main thread=").
std::vector<std::string> Threads(const std::string& record, const std::string& prefix) {
    std::vector<std::string> threads;
    const std::regex pattern(prefix + "([0-9]+)\n");
    for (std::sregex_iterator it(record.begin(), record.end(), pattern), end; it != end; ++it) {
        threads.push_back((*it)[1]);
    }
    return threads;
}

DWORD WINAPI EndAtOnce(void*) {
    return 0;
}

class SingleInstance : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(root_ / L"app");
        fs::create_directories(root_ / L"appdata");
        fs::create_directories(root_ / L"jre" / L"bin" / L"client");
        std::ofstream(root_ / L"jre" / L"bin" / L"java.dll") << "marker";
        fs::copy_file(WinePath(JVM_DOUBLE), root_ / L"jre" / L"bin" / L"client" / L"jvm.dll");
        fs::copy_file(fs::path(ThisProgramFolder()) / L"javastub.exe", Program());
        WriteSettings("Single Instance=yes\r\n");
    }

    void TearDown() override {
        if (primary_.valid()) {
            Release();
        }
    }

    fs::path Program() const { return root_ / L"app" / L"start.exe"; }
    fs::path Release(const char* what) const { return root_ / (std::string("go-") + what); }
    std::string Record() const { return ReadFileBytes(root_ / L"record.log"); }
    // The later starts' start-up trace, which says where each one waits.
    std::string Trace() const { return ReadFileBytes(root_ / L"trace.log"); }

    void WriteSettings(const std::string& application) {
        std::ofstream(root_ / L"app" / L"start.ini", std::ios::binary)
            << "[Java Runtime Environment]\r\nMain Class=com.example.App\r\nJRE Path="
            << (root_ / "jre").string() << "\r\n[Application]\r\n"
            << application << "[Class Path]\r\nClass Path=classes\r\n";
    }

    ProcessRequest Request(const std::wstring& arguments, Environment environment = {}) const {
        ProcessRequest request;
        request.program = Program().wstring();
        request.arguments = arguments;
        request.environment = std::move(environment);
        request.environment[L"APPDATA"] = (root_ / L"appdata").wstring();
        request.environment[L"JAVA_HOME"] = std::nullopt;
        request.environment[L"TS_JVM_DOUBLE_LOG"] = (root_ / L"record.log").wstring();
        return request;
    }

    bool AwaitRecord(const std::string& part, std::size_t count = 1) const {
        return AwaitIn(L"record.log", part, count);
    }
    bool AwaitTrace(const std::string& part, std::size_t count = 1) const {
        return AwaitIn(L"trace.log", part, count);
    }

    // Waits until the file holds part count times; false after 30 s.
    bool AwaitIn(const wchar_t* file, const std::string& part, std::size_t count) const {
        const auto until = std::chrono::steady_clock::now() + 30s;
        while (Count(ReadFileBytes(root_ / file), part) < count) {
            if (std::chrono::steady_clock::now() > until) {
                return false;
            }
            std::this_thread::sleep_for(50ms);
        }
        return true;
    }

    // Starts the primary, whose main runs until Release(); returns once main runs.
    void StartPrimary(Environment environment = {}, const std::string& running = "hold main") {
        const std::size_t before = Count(Record(), running);
        environment[L"TS_JVM_DOUBLE_SI_HOLD_MAIN"] = Release("main").wstring();
        fs::remove(Release("main"));
        primary_ = std::async(std::launch::async,
                              [request = Request({}, environment)] { return RunProcess(request); });
        ASSERT_TRUE(AwaitRecord(running, before + 1)) << Record();
    }

    std::wstring BaseName() const {
        std::wstring name = Program().wstring();
        std::replace(name.begin(), name.end(), L'\\', L'_');
        return name;
    }

    // The running primary's message thread, as its block names it.
    HANDLE PrimaryMessageThread() const {
        const HANDLE mapping = ::OpenFileMappingW(FILE_MAP_READ, FALSE, BaseName().c_str());
        if (mapping == nullptr) {
            return nullptr;
        }
        const auto* fields =
            static_cast<const DWORD*>(::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 12));
        const DWORD thread = fields != nullptr ? fields[0] : 0;
        if (fields != nullptr) {
            ::UnmapViewOfFile(fields);
        }
        ::CloseHandle(mapping);
        return thread != 0 ? ::OpenThread(THREAD_SUSPEND_RESUME, FALSE, thread) : nullptr;
    }

    ProcessResult Release() {
        std::ofstream(Release("main")) << "go";
        return primary_.get();
    }

    // A later start that writes the start-up trace.
    std::future<ProcessResult> StartLater(const std::wstring& arguments) const {
        return std::async(
            std::launch::async,
            [request =
                 Request(arguments, {{L"JAVASTUB_TRACE", (root_ / L"trace.log").wstring()}})] {
                return RunProcess(request);
            });
    }

    ProcessResult Later(const std::wstring& arguments) const {
        return RunProcess(Request(arguments));
    }

    ScratchFolder scratch_;
    const fs::path root_ = scratch_.Path();
    std::future<ProcessResult> primary_;
};

TEST_F(SingleInstance, LaterStartsHandTheirArgumentsToSecondaryMain) {
    struct Case {
        std::wstring arguments;
        DWORD exitCode;
        std::string received;  // empty: refused, nothing arrives
    };
    std::wstring ones, ones260;
    std::string received259 = "args=259";
    for (int i = 0; i < 259; ++i) {
        ones += L"x ";
        received259 += " [x]";
    }
    ones260 = ones + L"x";
    const Case cases[] = {
        {L"a b", 0, "args=2 [a] [b]"},
        {L"", 0, "args=1 []"},
        {L"a \"\" b", 0, "args=1 [a]"},
        {L"\U0001F600 Gr\u00fc\u00dfe", 0,
         "args=2 [\xf0\x9f\x98\x80] [Gr\xc3\xbc\xc3\x9f"
         "e]"},
        {ones, 0, received259},
        {ones260, kFailed, ""},
        {std::wstring(518, L'y'), 0, "args=1 [" + std::string(518, 'y') + "]"},
        {std::wstring(519, L'y'), kFailed, ""},
    };
    StartPrimary();
    std::size_t delivered = 0;
    for (const Case& c : cases) {
        const ProcessResult result = Later(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.received;
        EXPECT_EQ(result.out, "");
        if (!c.received.empty()) {
            // The void form answers before the call: the record may come a little later.
            EXPECT_TRUE(AwaitRecord(kVoidCall + c.received + "\n")) << c.received;
            ++delivered;
        }
    }
    EXPECT_EQ(Release().exitCode, 0u);
    const std::string record = Record();
    EXPECT_EQ(Count(record, kVoidCall), delivered) << record;
    // Each call on a worker of its own, after main started.
    const auto mainThread = Threads(record, "hold main thread=");
    const auto workers = Threads(record, "secondaryMain thread=");
    ASSERT_EQ(mainThread.size(), 1u);
    EXPECT_EQ(workers.size(), delivered);
    for (const std::string& worker : workers) {
        EXPECT_NE(worker, mainThread.front());
    }
    EXPECT_TRUE(InOrder(record, {"main com/example/App args=0", kVoidCall + "args=2 [a] [b]"}));
}

TEST_F(SingleInstance, AStartDuringThePrimarysJvmCreationIsDeliveredOnceMainRuns) {
    fs::remove(Release("create"));
    StartPrimary({{L"TS_JVM_DOUBLE_SI_HOLD_CREATE", Release("create").wstring()}}, "hold create");
    auto early = StartLater(L"early");
    ASSERT_TRUE(AwaitTrace("waiting for the primary's answer")) << Trace();
    EXPECT_EQ(early.wait_for(0s), std::future_status::timeout);
    EXPECT_FALSE(Contains(Record(), "secondaryMain")) << Record();

    std::ofstream(Release("create")) << "go";
    EXPECT_EQ(early.get().exitCode, 0u);
    EXPECT_TRUE(AwaitRecord(kVoidCall + "args=1 [early]\n"));
    EXPECT_TRUE(InOrder(Record(), {"main com/example/App args=0", kVoidCall + "args=1 [early]"}));
}

TEST_F(SingleInstance, TheFormOfSecondaryMainDecidesTheAnswer) {
    // The void form answers before its call, which is still running when the start ends.
    StartPrimary({{L"TS_JVM_DOUBLE_SI_HOLD_SECONDARY", Release("secondary").wstring()}});
    EXPECT_EQ(Later(L"v").exitCode, 0u);
    EXPECT_TRUE(AwaitRecord("hold secondaryMain"));
    EXPECT_FALSE(Contains(Record(), "released secondaryMain"));
    EXPECT_EQ(Release().exitCode, 0u);

    // The int form answers with what it returns.
    StartPrimary(
        {{L"TS_JVM_DOUBLE_MISSING_METHODS", kVoidForm}, {L"TS_JVM_DOUBLE_SECONDARY_RESULT", L"7"}});
    EXPECT_EQ(Later(L"i").exitCode, 7u);
    EXPECT_EQ(Release().exitCode, 0u);

    // Without secondaryMain the start waits for the primary and ends with its exit code.
    StartPrimary({{L"TS_JVM_DOUBLE_MISSING_METHODS", kVoidForm + L"," + kIntForm},
                  {L"TS_JVM_DOUBLE_MAIN", L"exit:259"}});
    auto waiting = StartLater(L"n");
    ASSERT_TRUE(
        AwaitRecord("GetStaticMethodID com/example/App secondaryMain ([Ljava/lang/String;)I"));
    ASSERT_TRUE(AwaitTrace("waiting for the primary's answer")) << Trace();
    EXPECT_EQ(waiting.wait_for(0s), std::future_status::timeout);
    // 259 is STILL_ACTIVE: only the process handle can say that the primary has ended.
    EXPECT_EQ(Release().exitCode, 259u);
    EXPECT_EQ(waiting.get().exitCode, 259u);

    // The primary has ended: the next start is a primary of its own.
    StartPrimary();
    EXPECT_EQ(Later(L"again").exitCode, 0u);
    EXPECT_TRUE(AwaitRecord(kVoidCall + "args=1 [again]\n"));
}

TEST_F(SingleInstance, EightStartsAtOnceEachArriveWholeAndOnce) {
    // The int form returns the number its first argument begins with: each start must get the
    // answer to its own list.
    StartPrimary({{L"TS_JVM_DOUBLE_MISSING_METHODS", kVoidForm},
                  {L"TS_JVM_DOUBLE_SECONDARY_RESULT", L"first"}});
    // With the primary's message thread stopped, all eight reach the hand-over before the first
    // is taken in: without serialising, each would overwrite the area of the one before.
    const HANDLE messageThread = PrimaryMessageThread();
    ASSERT_NE(messageThread, nullptr);
    ASSERT_NE(::SuspendThread(messageThread), static_cast<DWORD>(-1));
    std::vector<std::future<ProcessResult>> starts;
    std::vector<std::string> lists;
    for (int start = 1; start <= 8; ++start) {
        std::wstring arguments = std::to_wstring(start);
        std::string list = "args=9 [" + std::to_string(start) + "]";
        for (int part = 1; part <= 8; ++part) {
            const std::string text =
                std::to_string(start) + "-" + std::to_string(part) + std::string(40, 'a' + start);
            arguments += L" " + std::wstring(text.begin(), text.end());
            list += " [" + text + "]";
        }
        starts.push_back(StartLater(arguments));
        lists.push_back(list);
    }
    // All eight at the lock, one holding it: they really contend.
    EXPECT_TRUE(AwaitTrace("waiting for the hand-over lock", 8)) << Trace();
    EXPECT_TRUE(AwaitTrace("hand-over lock taken")) << Trace();
    EXPECT_EQ(Count(Trace(), "hand-over lock taken"), 1u) << Trace();
    ::ResumeThread(messageThread);
    ::CloseHandle(messageThread);
    for (int start = 1; start <= 8; ++start) {
        EXPECT_EQ(starts[start - 1].get().exitCode, static_cast<DWORD>(start));
    }
    EXPECT_EQ(Release().exitCode, 0u);
    const std::string record = Record();
    EXPECT_EQ(Count(record, "secondaryMain com/example/App"), 8u) << record;
    for (const std::string& list : lists) {
        EXPECT_EQ(Count(record, "([Ljava/lang/String;)I " + list + "\n"), 1u) << list;
    }
}

TEST_F(SingleInstance, AHandOverAfterThePrimarysEndStillFreesTheLock) {
    StartPrimary({{L"JAVASTUB_TRACE", (root_ / L"trace.log").wstring()}});
    // The message thread held, main returns and the primary asks the thread to quit; a start
    // then comes behind the quit.
    const HANDLE messageThread = PrimaryMessageThread();
    ASSERT_NE(messageThread, nullptr);
    ASSERT_NE(::SuspendThread(messageThread), static_cast<DWORD>(-1));
    std::ofstream(Release("main")) << "go";
    EXPECT_TRUE(AwaitTrace("message thread is asked to quit")) << Trace();
    auto late = StartLater(L"late");
    EXPECT_TRUE(AwaitTrace("waiting for the primary's answer or end")) << Trace();
    ::ResumeThread(messageThread);
    ::CloseHandle(messageThread);
    EXPECT_EQ(primary_.get().exitCode, 0u);
    EXPECT_EQ(late.get().exitCode, 0u);
    EXPECT_TRUE(Contains(Trace(), "a hand-over after the end, its lock released")) << Trace();
    EXPECT_FALSE(Contains(Record(), "secondaryMain")) << Record();
}

TEST_F(SingleInstance, OnlyAnExactYesOutsideServiceModeKeepsOneInstance) {
    StartPrimary();
    // A capital letter: the later start runs the application itself.
    WriteSettings("Single Instance=Yes\r\n");
    EXPECT_EQ(Later(L"own").exitCode, 0u);
    EXPECT_TRUE(Contains(Record(), "main com/example/App args=1 [own]\n")) << Record();

    // A service never hands over, whatever "Single Instance" says.
    WriteSettings("Application Type=service\r\nSingle Instance=yes\r\n");
    // Not started by the service manager: the dispatcher cannot connect, and the start ends.
    EXPECT_EQ(Later(L"service").exitCode,
              static_cast<DWORD>(ERROR_FAILED_SERVICE_CONTROLLER_CONNECT));
    EXPECT_FALSE(Contains(Record(), "secondaryMain")) << Record();
    EXPECT_FALSE(Contains(Record(), "AttachCurrentThread")) << Record();
    EXPECT_EQ(Release().exitCode, 0u);
}

TEST_F(SingleInstance, ABlockLeftByAForeignProgramOrADeadPrimary) {
    const std::wstring name = BaseName();
    const UINT messageId = ::RegisterWindowMessageW(name.c_str());
    // A thread that has ended stands for a primary that died without cleaning up.
    DWORD deadThread = 0;
    const HANDLE ended = ::CreateThread(nullptr, 0, EndAtOnce, nullptr, 0, &deadThread);
    ASSERT_NE(ended, nullptr);
    ::WaitForSingleObject(ended, INFINITE);
    ::CloseHandle(ended);
    struct Case {
        const char* what;
        DWORD size;
        DWORD threadId;
        DWORD messageId;
        DWORD exitCode;
        bool runsMain;
        const char* decision;               // the trace line that shows the start did not wait
        const wchar_t* security = nullptr;  // the block's, as text; null: the default
    };
    const Case cases[] = {
        {"foreign block of another size", 64, 1234, 0xBEEF, 0, true, "a block of another program"},
        {"foreign block of the same size", 2092, 1234, 0xBEEF, 0, true,
         "a block of another program"},
        {"dead primary", 2092, deadThread, messageId, kFailed, false,
         "the primary cannot be notified"},
        // Right in every field, but owned by another account (the system account here).
        {"block of another owner", 2092, deadThread, messageId, 0, true, "a block of another user",
         L"O:BAD:(A;;GA;;;WD)"},
    };
    for (const Case& c : cases) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (c.security != nullptr) {
            ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(
                c.security, SDDL_REVISION_1, &descriptor, nullptr));
        }
        SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
        const HANDLE mapping =
            ::CreateFileMappingW(INVALID_HANDLE_VALUE, descriptor ? &attributes : nullptr,
                                 PAGE_READWRITE, 0, c.size, name.c_str());
        ::LocalFree(descriptor);
        ASSERT_NE(mapping, nullptr);
        auto* fields = static_cast<DWORD*>(::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 12));
        ASSERT_NE(fields, nullptr);
        fields[0] = c.threadId;
        fields[1] = ::GetCurrentProcessId();
        fields[2] = c.messageId;
        const ProcessResult result = StartLater(L"x").get();
        EXPECT_TRUE(Contains(Trace(), c.decision)) << c.what << "\n" << Trace();
        EXPECT_EQ(result.exitCode, c.exitCode) << c.what;
        EXPECT_EQ(Contains(Record(), "main com/example/App args=1 [x]\n"), c.runsMain) << c.what;
        ::UnmapViewOfFile(fields);
        ::CloseHandle(mapping);
        fs::remove(root_ / L"record.log");
        fs::remove(root_ / L"trace.log");
    }
}

}  // namespace
