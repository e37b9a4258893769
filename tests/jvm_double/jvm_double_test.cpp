// The JNI layer against the stand-in jvm.dll under wine, in both bitnesses: what it hands the
// runtime (options and hooks, lookups, arguments, streams) and how it meets the runtime's
// answers (creation codes, missing classes and methods, exit, abort, exceptions).

#include "in_order.h"
#include "run_process.h"
#include "scratch_folder.h"
#include "test_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using testing_support::Contains;
using testing_support::InOrder;
using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::Quoted;
using testing_support::ReadFileBytes;
using testing_support::RunProcess;
using testing_support::ScratchFolder;
using testing_support::WinePath;

std::wstring Runtime(const char* variant) {
    return WinePath(JVM_DOUBLE_DIR) + L"\\" +
           std::wstring(variant, variant + std::strlen(variant)) + L"\\bin\\server\\jvm.dll";
}

class JvmDoubleTest : public ::testing::Test {
  protected:
    static std::string Narrow(const std::wstring& text) {
        const int length = WideCharToMultiByte(
            CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
        std::string narrow(static_cast<std::size_t>(length), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                            length, nullptr, nullptr);
        return narrow;
    }

    // Runs the probe against a runtime variant with the double steered by the settings.
    ProcessResult Probe(const std::wstring& flags,
                        std::map<std::wstring, std::optional<std::wstring>> settings = {},
                        const char* variant = "runtime") {
        ProcessRequest request;
        request.program = WinePath(JVM_PROBE);
        request.arguments = L"--jvm " + Quoted(Runtime(variant)) + L" --cp C:\\app\\classes " +
                            L"--class com/example/App " + flags;
        request.environment = std::move(settings);
        request.environment[L"TS_JVM_DOUBLE_LOG"] = log_;
        DeleteFileW(log_.c_str());
        const ProcessResult result = RunProcess(request);
        EXPECT_TRUE(result.started) << "CreateProcessW error " << result.startError;
        EXPECT_FALSE(result.timedOut);
        EXPECT_FALSE(Contains(result.err, "jvm double:")) << result.err;
        return result;
    }

    std::string Record() const { return ReadFileBytes(log_); }

    std::wstring File(const wchar_t* name) const { return folder_ / name; }

  private:
    ScratchFolder folder_;
    const std::wstring log_ = folder_ / L"record.log";
};

TEST_F(JvmDoubleTest, CreatesWithOptionsAndHooksThenRunsMain) {
    const auto result = Probe(L"-- a \"b c\" Gr\u00fc\u00dfe\u20ac");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(Contains(result.out, "invoke main true\n")) << result.out;
    EXPECT_TRUE(InOrder(
        Record(),
        {"JNI_CreateJavaVM version=0x00010002 ignoreUnrecognized=0 options=4",
         "option -Djava.class.path=C:\\app\\classes", "option -Xcheck:jni", "option abort +extra",
         "option exit +extra", "JVM_FindClassFromBootLoader sun/launcher/LauncherHelper",
         "GetStaticMethodID sun/launcher/LauncherHelper checkAndLoadMain "
         "(ZILjava/lang/String;)Ljava/lang/Class;",
         "checkAndLoadMain printErrors=1 mode=1 name=com.example.App",
         "GetStaticMethodID com/example/App main ([Ljava/lang/String;)V",
         "main com/example/App args=3 [a] [b c] [Gr\xc3\xbc\xc3\x9f"
         "e\xe2\x82\xac]",
         "DetachCurrentThread"}));
}

TEST_F(JvmDoubleTest, PlainLookupWithoutBootFinderOrWhenTheHelperAnswersNull) {
    auto result = Probe(L"", {}, "runtime-no-finder");
    EXPECT_EQ(result.exitCode, 0u);
    std::string record = Record();
    EXPECT_FALSE(Contains(record, "LauncherHelper"));
    EXPECT_TRUE(InOrder(record, {"FindClass com/example/App", "main com/example/App args=0"}));

    result = Probe(L"", {{L"TS_JVM_DOUBLE_HELPER", L"null"}});
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(InOrder(Record(), {"checkAndLoadMain printErrors=1 mode=1 name=com.example.App",
                                   "FindClass com/example/App", "main com/example/App args=0"}));
}

TEST_F(JvmDoubleTest, MissingClassOrMain) {
    const std::map<std::wstring, std::optional<std::wstring>> missingClass{
        {L"TS_JVM_DOUBLE_MISSING_CLASSES", L"com/example/App"}};
    // The launcher helper ends the process through System.exit(1).
    auto result = Probe(L"", missingClass);
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_TRUE(Contains(result.out, "exit hook 1 on another thread\n")) << result.out;

    result = Probe(L"", missingClass, "runtime-no-finder");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_TRUE(Contains(result.err, "java.lang.NoClassDefFoundError: com/example/App"))
        << result.err;
    EXPECT_TRUE(Contains(result.out, "report 215 [com/example/App]\ninvoke main false\n"))
        << result.out;

    result = Probe(L"", {{L"TS_JVM_DOUBLE_MISSING_METHODS", L"main([Ljava/lang/String;)V"}});
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_TRUE(Contains(result.err, "java.lang.NoSuchMethodError: main")) << result.err;
    EXPECT_TRUE(Contains(result.out, "invoke main false\n"));
    EXPECT_FALSE(Contains(Record(), "main com/example/App"));
}

TEST_F(JvmDoubleTest, TheCreationCodeReachesTheReporter) {
    const auto result = Probe(L"", {{L"TS_JVM_DOUBLE_CREATE_RESULT", L"-6"}});
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_EQ(result.out, "create failed -6\ncreate jvm false\n");
}

TEST_F(JvmDoubleTest, ExitAndAbortHooks) {
    auto result = Probe(L"", {{L"TS_JVM_DOUBLE_MAIN", L"exit:1603"}});
    EXPECT_EQ(result.exitCode, 1603u);
    EXPECT_TRUE(Contains(result.out, "exit hook 1603 on another thread\n")) << result.out;

    result = Probe(L"", {{L"TS_JVM_DOUBLE_MAIN", L"abort"}});
    EXPECT_EQ(result.exitCode, 134u);
    EXPECT_TRUE(Contains(result.out, "abort hook\n")) << result.out;
}

TEST_F(JvmDoubleTest, ExceptionTextAndTheExceptionLeftPending) {
    auto result = Probe(L"--failure-check", {{L"TS_JVM_DOUBLE_MAIN", L"throw"}});
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(Contains(result.out,
                         "exception text begin\n"
                         "java.lang.IllegalStateException: double failure\n"
                         "\tat Double.main(Double.java)\n"
                         "exception text end\n"
                         "invoke main true\n"))
        << result.out;
    EXPECT_TRUE(InOrder(
        Record(),
        {"printStackTrace java/lang/IllegalStateException", "Throw java/lang/IllegalStateException",
         "DetachCurrentThread uncaught java/lang/IllegalStateException"}));

    result = Probe(L"", {{L"TS_JVM_DOUBLE_MAIN", L"throw"}});
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_FALSE(Contains(result.out, "exception text"));
    EXPECT_FALSE(Contains(Record(), "printStackTrace"));
}

TEST_F(JvmDoubleTest, RedirectionOpensFilesAndInstallsStreams) {
    const std::wstring out = File(L"out.log");
    const std::wstring err = File(L"err.log");
    {
        std::ofstream(out.c_str(), std::ios::binary) << "old\n";
        std::ofstream(err.c_str(), std::ios::binary) << "old\n";
    }
    const std::map<std::wstring, std::optional<std::wstring>> print{
        {L"TS_JVM_DOUBLE_MAIN", L"print"}};
    auto result = Probe(L"--out " + Quoted(out) + L" --out-append --err " + Quoted(err), print);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(ReadFileBytes(out), "old\nmain output\n");
    EXPECT_EQ(ReadFileBytes(err), "main error\n");
    EXPECT_TRUE(InOrder(
        Record(),
        {"FileOutputStream " + Narrow(out) + " append=1", "PrintStream (Ljava/io/OutputStream;)V",
         "System.setOut " + Narrow(out), "FileOutputStream " + Narrow(err) + " append=0",
         "System.setErr " + Narrow(err), "main com/example/App args=0"}));

    // A file that cannot be opened: described, and the stream stays the console's.
    // Its folder would be a file.
    result = Probe(L"--out " + Quoted(out + L"\\inner.log"), print);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(Contains(result.err, "java.io.FileNotFoundException")) << result.err;
    EXPECT_TRUE(Contains(result.out, "main output\n")) << result.out;
    EXPECT_FALSE(Contains(Record(), "System.setOut"));
}

TEST_F(JvmDoubleTest, DefaultStackSize) {
    for (const auto& [setting, expected] : std::vector<std::pair<std::wstring, std::string>>{
             {L"262144", "262144"}, {L"0", "0"}, {L"-5", "0"}}) {
        const auto result = Probe(L"--stack-size", {{L"TS_JVM_DOUBLE_STACK_SIZE", setting}});
        EXPECT_EQ(result.out, "stack size " + expected + "\n");
        EXPECT_TRUE(Contains(Record(), "JNI_GetDefaultJavaVMInitArgs version=0x00010001"));
    }
}

TEST_F(JvmDoubleTest, SecondaryMainAndStop) {
    auto result = Probe(L"--secondary x --secondary y",
                        {{L"TS_JVM_DOUBLE_MISSING_METHODS", L"secondaryMain([Ljava/lang/String;)V"},
                         {L"TS_JVM_DOUBLE_SECONDARY_RESULT", L"7"}});
    EXPECT_TRUE(Contains(result.out, "answer 7\ndelivered true\n")) << result.out;
    EXPECT_TRUE(InOrder(Record(), {"AttachCurrentThread",
                                   "secondaryMain com/example/App ([Ljava/lang/String;)I args=2 "
                                   "[x] [y]"}));

    result = Probe(L"--stop");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(InOrder(Record(), {"AttachCurrentThread", "stop com/example/App"}));

    result = Probe(L"--stop", {{L"TS_JVM_DOUBLE_MISSING_METHODS", L"stop()V"}});
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_TRUE(Contains(Record(), "System.exit 0\n"));
    EXPECT_TRUE(Contains(result.out, "exit hook 0 on another thread\n")) << result.out;
}

TEST(JvmDouble, UnservedJniFunctionFailsLoudly) {
    ProcessRequest request;
    request.program = WinePath(JVM_PROBE);
    request.arguments = L"--jvm " + Quoted(Runtime("runtime")) + L" --unserved-call";
    const ProcessResult result = RunProcess(request);
    EXPECT_EQ(result.exitCode, 97u);
    // GetSuperclass comes after four reserved slots and six functions.
    EXPECT_TRUE(Contains(result.err, "unimplemented JNI function, table slot 10")) << result.err;
    EXPECT_FALSE(Contains(result.out, "unserved call returned"));
}

}  // namespace
