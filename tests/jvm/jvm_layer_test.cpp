// The JNI layer against every JDK installed under /usr/lib/jvm: each case starts jvm_probe,
// which creates one real JVM, and checks what the process printed, wrote and ended with.
// -Xcheck:jni is on in every run, so a JNI call made in the wrong state shows as a warning.

#include "child_process.h"
#include "test_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_support::Contains;
using testing_support::ReadFileBytes;

struct Jdk {
    std::string home;
    std::string library;
    int feature = 0;  // 17 for 17.0.x
};

void PrintTo(const Jdk& jdk, std::ostream* out) {
    *out << jdk.home;
}

int FeatureVersion(const fs::path& home) {
    std::ifstream release(home / "release");
    std::string line;
    while (std::getline(release, line)) {
        const std::string key = "JAVA_VERSION=\"";
        if (line.rfind(key, 0) == 0) {
            return std::atoi(line.c_str() + key.size());
        }
    }
    return 0;
}

std::vector<Jdk> InstalledJdks() {
    std::vector<Jdk> found;
    std::set<fs::path> seen;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/usr/lib/jvm", error)) {
        const fs::path library = entry.path() / "lib/server/libjvm.so";
        if (!fs::exists(library, error)) {
            continue;
        }
        // The same JDK appears under several names (links).
        const fs::path real = fs::canonical(library, error);
        if (error || !seen.insert(real).second) {
            continue;
        }
        const fs::path home = real.parent_path().parent_path().parent_path();
        found.push_back(Jdk{home.string(), real.string(), FeatureVersion(home)});
    }
    std::sort(found.begin(), found.end(),
              [](const Jdk& a, const Jdk& b) { return a.feature < b.feature; });
    return found;
}

const std::vector<Jdk>& Jdks() {
    static const std::vector<Jdk> jdks = InstalledJdks();
    return jdks;
}

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

class JvmLayerTest : public ::testing::TestWithParam<Jdk> {
  protected:
    void SetUp() override {
        // Parameterised test names hold "/": one folder level per test, not two.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        folder_ = fs::temp_directory_path() /
                  ("jvm_layer_test_" + std::to_string(::getpid()) + "_" + name);
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // Runs the probe with the main class and extra flags; arguments after "--" go to main.
    test_process::Result Probe(const std::string& mainClass, std::vector<std::string> flags) {
        std::vector<std::string> command{JVM_PROBE,        "--jvm",   GetParam().library, "--cp",
                                         JVM_TEST_CLASSES, "--class", mainClass};
        command.insert(command.end(), flags.begin(), flags.end());
        // The JVM handles its own SIGSEGV, LeakSanitizer cannot trace a process with a JVM, and
        // the JVM's archive dump copies symbols in whole words, past their ends.
        auto result = test_process::Run(
            command,
            {{"ASAN_OPTIONS",
              "detect_leaks=0:handle_segv=0:allow_user_segv_handler=1:replace_intrin=0"}},
            std::chrono::seconds(60));
        EXPECT_TRUE(result.started);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(result.signal, 0) << result.err;
        EXPECT_FALSE(Contains(result.err, "WARNING in native method")) << result.err;
        return result;
    }

    const fs::path& folder() const { return folder_; }

  private:
    fs::path folder_;
};

// Both ways of finding the main class: the JDK's launcher helper and plain FindClass.
const std::vector<std::vector<std::string>> kLookups{{}, {"--no-boot-finder"}};

TEST_P(JvmLayerTest, ArgumentsReachMainUnchanged) {
    for (const auto& lookup : kLookups) {
        auto flags = lookup;
        flags.insert(flags.end(), {"--", "a", "b c",
                                   "Gr\xc3\xbc\xc3\x9f"
                                   "e",
                                   "\xe2\x82\xac", "\xf0\x9f\x98\x80", ""});
        const auto result = Probe("Echo", flags);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_TRUE(Contains(result.out,
                             "before main\n"
                             "args 6\n"
                             "arg 0061\n"
                             "arg 0062 0020 0063\n"
                             "arg 0047 0072 00fc 00df 0065\n"
                             "arg 20ac\n"
                             "arg d83d de00\n"
                             "arg\n"
                             "invoke main true\n"))
            << result.out << result.err;
    }
}

TEST_P(JvmLayerTest, PackagedMainClassIsFoundWithSlashesOrDots) {
    for (const auto& lookup : kLookups) {
        for (const char* name : {"com/example/App", "com.example.App"}) {
            const auto result = Probe(name, lookup);
            EXPECT_EQ(result.exitCode, 0) << name;
            EXPECT_TRUE(Contains(result.out, "packaged main ran\ninvoke main true\n"))
                << name << result.err;
        }
    }
}

TEST_P(JvmLayerTest, SystemExitReachesTheExitHook) {
    const auto result = Probe("Quit", {"--", "7"});
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_TRUE(Contains(result.out, "exit hook 7 on another thread\n")) << result.out;
    EXPECT_FALSE(Contains(result.out, "invoke main"));
}

TEST_P(JvmLayerTest, FatalErrorReachesTheAbortHook) {
    const auto result =
        Probe("Hog", {"--option", "-Xmx16m", "--option", "-XX:+CrashOnOutOfMemoryError", "--option",
                      "-XX:-CreateCoredumpOnCrash", "--option",
                      "-XX:ErrorFile=" + (folder() / "hs_err.log").string()});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "abort hook\n")) << result.out;
    EXPECT_FALSE(Contains(result.out, "invoke main"));
}

TEST_P(JvmLayerTest, MissingMainClass) {
    // The launcher helper reports it in the runtime's words and exits with 1.
    auto result = Probe("does/not/Exist", {});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Contains(result.out, "exit hook 1 on "));
    EXPECT_TRUE(Contains(result.err, "does.not.Exist")) << result.err;

    // Without it: the JVM's description of the failure, then our message.
    result = Probe("does/not/Exist", {"--no-boot-finder"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Contains(result.err, "java.lang.NoClassDefFoundError: does/not/Exist"))
        << result.err;
    EXPECT_TRUE(Contains(result.out, "report 215 [does/not/Exist]\ninvoke main false\n"))
        << result.out;
}

TEST_P(JvmLayerTest, MainClassWithoutMain) {
    auto result = Probe("NoMain", {});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Contains(result.out, "exit hook 1 on "));

    result = Probe("NoMain", {"--no-boot-finder"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Contains(result.err, "java.lang.NoSuchMethodError")) << result.err;
    EXPECT_TRUE(Contains(result.out, "invoke main false\n"));
    EXPECT_FALSE(Contains(result.out, "report 216"));
}

TEST_P(JvmLayerTest, InstanceMainIsRefusedWithoutCrash) {
    // Runtimes that know instance mains accept the class; there is still no static main.
    const auto result = Probe("InstanceMain", {});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(Contains(result.out, "instance main ran"));
    if (GetParam().feature >= 21) {
        EXPECT_TRUE(Contains(result.err, "java.lang.NoSuchMethodError")) << result.err;
        EXPECT_TRUE(Contains(result.out, "invoke main false\n")) << result.out;
    }
}

TEST_P(JvmLayerTest, ExceptionLeftByMain) {
    const std::string message =
        "java.lang.IllegalStateException: kaputt \xc3\xa4\xc3\xb6\xc3\xbc \xe2\x82\xac "
        "\xf0\x9f\x98\x80\n";
    auto result = Probe("Thrower", {"--failure-check"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out,
                         "exception text begin\n" + message + "\tat Thrower.inner(Thrower.java:"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "\tat Thrower.main(Thrower.java:"));
    EXPECT_TRUE(Contains(result.out, "exception text end\ninvoke main true\n"));
    // The exception stays with the JVM, which reports it as uncaught when the thread detaches.
    EXPECT_TRUE(Contains(result.err, "java.lang.IllegalStateException")) << result.err;

    result = Probe("Thrower", {});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_FALSE(Contains(result.out, "exception text"));
    EXPECT_TRUE(Contains(result.out, "invoke main true\n"));
}

TEST_P(JvmLayerTest, RedirectionOverwritesOrAppends) {
    const fs::path out = folder() / "out.log";
    const fs::path err = folder() / "err.log";
    for (const bool viaExit : {false, true}) {
        std::vector<std::string> tail;
        if (viaExit) {
            tail = {"--", "exit"};
        }
        WriteFile(out, "old\n");
        WriteFile(err, "old-err\n");
        auto flags = std::vector<std::string>{"--out", out.string(), "--err", err.string()};
        flags.insert(flags.end(), tail.begin(), tail.end());
        auto result = Probe("Chatter", flags);
        EXPECT_EQ(result.exitCode, viaExit ? 3 : 0);
        EXPECT_EQ(ReadFileBytes(out), "out-line\n");
        EXPECT_EQ(ReadFileBytes(err), "err-line\n");
        EXPECT_FALSE(Contains(result.out, "out-line"));
        EXPECT_FALSE(Contains(result.err, "err-line"));

        flags = {"--out", out.string(), "--out-append", "--err", err.string(), "--err-append"};
        flags.insert(flags.end(), tail.begin(), tail.end());
        result = Probe("Chatter", flags);
        EXPECT_EQ(ReadFileBytes(out), "out-line\nout-line\n");
        EXPECT_EQ(ReadFileBytes(err), "err-line\nerr-line\n");
    }
}

TEST_P(JvmLayerTest, RedirectionIntoNewFolders) {
    const fs::path out = folder() / "neu" / "tief" / "out.log";
    const auto result = Probe("Chatter", {"--out", out.string()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(ReadFileBytes(out), "out-line\n");
    EXPECT_TRUE(Contains(result.err, "err-line\n"));
}

TEST_P(JvmLayerTest, UnwritableOutputLeavesTheConsoleStream) {
    const fs::path blocker = folder() / "file";
    WriteFile(blocker, "");
    const auto result = Probe("Chatter", {"--out", (blocker / "out.log").string()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.err, "java.io.FileNotFoundException")) << result.err;
    EXPECT_TRUE(Contains(result.out, "out-line\ninvoke main true\n")) << result.out;
}

TEST_P(JvmLayerTest, CreationFailureCodes) {
    auto result = Probe("Echo", {"--option", "-Xno-such-option"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Contains(result.out, "create failed -1\ncreate jvm false\n")) << result.out;

    result = Probe("Echo", {"--create-twice"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "create failed -5\nsecond create jvm false\n")) << result.out;
}

TEST_P(JvmLayerTest, SecondaryMainVoidFormAnswersFirst) {
    const auto result =
        Probe("SecondaryVoid", {"--secondary", "x", "--secondary", "\xc3\xbc\xe2\x82\xac"});
    EXPECT_EQ(result.exitCode, 0);
    const auto answer = result.out.find("answer 0\n");
    const auto call = result.out.find("secondary x|\xc3\xbc\xe2\x82\xac\n");
    ASSERT_NE(answer, std::string::npos) << result.out;
    ASSERT_NE(call, std::string::npos) << result.out;
    EXPECT_LT(answer, call);
    EXPECT_TRUE(Contains(result.out, "delivered true\n"));
    EXPECT_TRUE(Contains(result.out, "main done\n"));
}

TEST_P(JvmLayerTest, SecondaryMainIntFormAnswersItsResult) {
    const auto result = Probe("SecondaryInt", {"--secondary", "a", "--secondary", "b"});
    EXPECT_EQ(result.exitCode, 0);
    const auto call = result.out.find("secondary a|b\n");
    const auto answer = result.out.find("answer 7\n");
    ASSERT_NE(call, std::string::npos) << result.out;
    ASSERT_NE(answer, std::string::npos) << result.out;
    EXPECT_LT(call, answer);
    EXPECT_TRUE(Contains(result.out, "delivered true\n"));
}

TEST_P(JvmLayerTest, SecondaryMainMissingOrFailing) {
    auto result = Probe("Echo", {"--secondary", "a"});
    EXPECT_TRUE(Contains(result.out, "delivered false\n")) << result.out;
    EXPECT_FALSE(Contains(result.out, "answer"));
    EXPECT_FALSE(Contains(result.err, "NoSuchMethodError")) << result.err;

    result = Probe("SecondaryThrows", {"--secondary", "a"});
    EXPECT_TRUE(Contains(result.out, "answer 0\n"));
    EXPECT_TRUE(Contains(result.out, "delivered false\n"));
    EXPECT_TRUE(Contains(result.err, "UnsupportedOperationException: no second start"))
        << result.err;
}

TEST_P(JvmLayerTest, StopCallsTheApplicationsStop) {
    // A stop that throws has its exception described once, on the stop thread, and still
    // neither ends the JVM nor leaves the thread attached.
    for (const std::string mainClass : {"Stoppable", "StopThrows"}) {
        const auto result = Probe(mainClass, {"--stop"});
        EXPECT_EQ(result.exitCode, 0) << mainClass;
        EXPECT_TRUE(Contains(result.out, "stopped\n")) << result.out;
        EXPECT_TRUE(Contains(result.out, "stop returned\n"));
        EXPECT_TRUE(Contains(result.out, "invoke main true\n"));
        EXPECT_FALSE(Contains(result.out, "exit hook")) << result.out;
        const bool throws = mainClass == "StopThrows";
        const std::string description = "java.lang.IllegalStateException: stop failed";
        const auto described = result.err.find(description);
        EXPECT_EQ(described != std::string::npos, throws) << result.err;
        if (throws) {
            EXPECT_EQ(result.err.find(description, described + 1), std::string::npos) << result.err;
        }
    }
}

TEST_P(JvmLayerTest, StopWithoutStopMethodEndsThroughSystemExit) {
    const auto started = std::chrono::steady_clock::now();
    const auto result = Probe("Unstoppable", {"--stop"});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "exit hook 0 on another thread\n")) << result.out;
    EXPECT_FALSE(Contains(result.out, "slept through"));
}

TEST_P(JvmLayerTest, KeepAliveWaitsForJavaToEndTheProcess) {
    auto result = Probe("LateExit", {"--keep-alive"});
    EXPECT_EQ(result.exitCode, 5);
    EXPECT_TRUE(Contains(result.out, "exit hook 5 on another thread\n")) << result.out;
    EXPECT_FALSE(Contains(result.out, "invoke main"));

    result = Probe("LateExit", {});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "invoke main true\n"));
}

TEST_P(JvmLayerTest, DefaultJavaStackSize) {
    const auto result = Probe("Echo", {"--stack-size"});
    EXPECT_EQ(result.exitCode, 0);
    const auto at = result.out.find("stack size ");
    ASSERT_NE(at, std::string::npos) << result.out;
    const long size = std::atol(result.out.c_str() + at + 11);
    EXPECT_GE(size, 64 * 1024);
    EXPECT_EQ(size % 1024, 0);
}

// The default handler reports an exception that ends another thread, after Java's own report;
// an application's own handler is kept.
TEST_P(JvmLayerTest, UncaughtExceptionsOfOtherThreadsAreReported) {
    auto result = Probe("ThreadThrower", {"--uncaught"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out,
                         "handler installed true\nuncaught report begin\n"
                         "java.lang.IllegalStateException: thread failure\n\tat ThreadThrower"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "uncaught report end\nmain goes on\n")) << result.out;
    EXPECT_TRUE(Contains(result.err,
                         "Exception in thread \"worker\" "
                         "java.lang.IllegalStateException: thread failure"))
        << result.err;

    result = Probe("ThreadThrower", {"--uncaught", "--", "own"});
    EXPECT_TRUE(Contains(result.out, "own handler thread failure\nmain goes on\n")) << result.out;
    EXPECT_FALSE(Contains(result.out, "uncaught report")) << result.out;
}

// A class-data archive kept as the launcher keeps it: made by the first start, used by the
// next, renewed when the jar changes, and never a reason for a start to fail or to print.
TEST_P(JvmLayerTest, ClassDataArchive) {
    if (GetParam().feature < 13) {
        GTEST_SKIP() << "no archives of application classes";
    }
    const fs::path jar = folder() / "app.jar";
    const fs::path archives = folder() / "archives";
    fs::copy_file(JVM_TEST_JAR, jar);
    fs::create_directories(archives);
    // Every start logs where its classes came from: options are part of the archive's key.
    const fs::path loads = folder() / "loads.log";
    const auto start = [&]() {
        auto result = Probe("ArchiveApp", {"--cp", jar.string(), "--archive", archives.string(),
                                           "--option", "-Xlog:class+load:file=" + loads.string()});
        EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
        EXPECT_TRUE(Contains(result.out, "archive app ran with part\n")) << result.out;
        EXPECT_FALSE(Contains(result.out + result.err, "cds")) << result.out << result.err;
        return result;
    };
    const auto onlyArchive = [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(archives)) {
            names.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(names.size(), 1u);
        return names.empty() ? std::string() : names.front();
    };

    const std::string fromArchive = "ArchiveApp$Part source: shared objects file (top)";
    EXPECT_TRUE(Contains(start().out, "archive complete host-"));
    const std::string first = onlyArchive();
    EXPECT_FALSE(Contains(start().out, "archive complete"));
    EXPECT_TRUE(Contains(ReadFileBytes(loads), fromArchive));

    fs::last_write_time(jar, fs::last_write_time(jar) + std::chrono::hours(1));
    EXPECT_TRUE(Contains(start().out, "archive complete host-"));
    const std::string renewed = onlyArchive();
    EXPECT_NE(renewed, first);

    // Damaged behind the launcher's back: either runtime would crash on it.
    {
        const auto size = static_cast<std::streamoff>(fs::file_size(archives / renewed));
        std::fstream file(archives / renewed, std::ios::in | std::ios::out | std::ios::binary);
        for (std::streamoff at = 8192; at + 8 < size && file.seekp(at); at += 4096) {
            file.write("\xff\xff\xff\xff\xff\xff\xff\xff", 8);
        }
    }
    EXPECT_TRUE(Contains(start().out, "archive complete host-"));
    const auto stem = [](const std::string& name) { return name.substr(0, name.rfind('-')); };
    EXPECT_EQ(stem(onlyArchive()), stem(renewed));

    // Two first starts at once: both run, and one archive remains for the next.
    fs::remove_all(archives);
    fs::create_directories(archives);
    std::thread other([&] { start(); });
    start();
    other.join();
    EXPECT_FALSE(Contains(start().out, "archive complete"));
    EXPECT_TRUE(Contains(ReadFileBytes(loads), fromArchive));
    EXPECT_EQ(stem(onlyArchive()), stem(renewed));
}

INSTANTIATE_TEST_SUITE_P(InstalledJdks, JvmLayerTest, ::testing::ValuesIn(Jdks()),
                         [](const ::testing::TestParamInfo<Jdk>& info) {
                             std::string name = fs::path(info.param.home).filename().string();
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) {
                                     return !std::isalnum(static_cast<unsigned char>(c));
                                 },
                                 '_');
                             return name;
                         });

TEST(InstalledJdks, OpenJdk17IsAmongThem) {
    EXPECT_TRUE(std::any_of(Jdks().begin(), Jdks().end(),
                            [](const Jdk& jdk) { return jdk.feature == 17; }));
}

}  // namespace
