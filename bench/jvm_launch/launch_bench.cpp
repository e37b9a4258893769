// What a start costs: a desktop-sized application (1500 classes in one jar, logging, XML)
// started by the JDK's own `java` command, through the JNI layer, through the JNI layer with
// the class-data archive the launcher keeps (its first start, which makes the archive, and the
// later ones, which use it), and by bare_jvm_start (create, find the class, call main,
// destroy: the floor), on the same runtime, in turns, median of each.
//
// jvm_launch_bench JDK_HOME[,JDK_HOME...] [RUNS]    measure (default 11 runs of each)
// jvm_launch_bench --start LIBJVM [ARCHIVE_DIR]     one start through the layer

#include "child_process.h"
#include "posix_class_archive.h"

#include "jvm/application_calls.h"
#include "jvm/jvm_creation.h"
#include "jvm/main_invocation.h"
#include "jvm/reporter.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr char kMainClass[] = "app.Main";

class SilentReporter final : public jvm::Reporter {
  public:
    void Report(jvm::Message, std::u16string_view) override { failed = true; }
    void ReportCreateFailure(jint) override { failed = true; }
    bool failed = false;
};

int StartThroughLayer(const char* library, const char* archiveFolder) {
    void* handle = dlopen(library, RTLD_NOW);
    if (handle == nullptr) {
        return 2;
    }
    const auto create = reinterpret_cast<jvm::CreateJavaVmFn>(dlsym(handle, "JNI_CreateJavaVM"));
    const auto finder = reinterpret_cast<jvm::FindClassFromBootLoaderFn>(
        dlsym(handle, "JVM_FindClassFromBootLoader"));
    if (create == nullptr) {
        return 2;
    }
    std::vector<std::string> options{std::string("-Djava.class.path=") + BENCH_APP_JAR};
    const bool archiveMade =
        archiveFolder != nullptr &&
        test_archive::AddArchiveOptions(library, BENCH_APP_JAR, archiveFolder, options);
    SilentReporter reporter;
    jvm::Jvm created;
    if (!jvm::CreateJvm(create, options, reporter, created)) {
        return 1;
    }
    jvm::MainRequest request;
    request.mainClass = u"app/Main";
    const bool ran = jvm::InvokeMain(created, finder, request, reporter);
    if (archiveMade) {
        jvm::HaltJvm(created.vm, ran ? 0 : 1);
    }
    return ran ? 0 : 1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const auto middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double TimedRun(const std::vector<std::string>& command) {
    const auto started = std::chrono::steady_clock::now();
    const auto result = test_process::Run(command, {}, std::chrono::seconds(60));
    const std::chrono::duration<double, std::milli> took =
        std::chrono::steady_clock::now() - started;
    if (!result.started || result.exitCode != 0) {
        std::fprintf(stderr, "run failed (%d): %s\n", result.exitCode, result.err.c_str());
        std::exit(1);
    }
    return took.count();
}

struct Contestant {
    const char* name;
    std::vector<std::string> command;
    std::function<void()> before = [] {};  // untimed
};

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--start") {
        return StartThroughLayer(argv[2], argc > 3 ? argv[3] : nullptr);
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: jvm_launch_bench JDK_HOME[,JDK_HOME...] [RUNS]\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const std::string homes = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 11;
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const std::string bare = (fs::path(self).parent_path() / "bare_jvm_start").string();
    const fs::path scratch =
        fs::temp_directory_path() / ("jvm_launch_bench_" + std::to_string(::getpid()));

    for (std::size_t from = 0; from < homes.size();) {
        const std::size_t comma = std::min(homes.find(',', from), homes.size());
        const std::string home = homes.substr(from, comma - from);
        from = comma + 1;
        const std::string libjvm = home + "/lib/server/libjvm.so";
        const std::string kept = (scratch / "kept").string();
        const std::string fresh = (scratch / "fresh").string();
        fs::remove_all(scratch);
        fs::create_directories(kept);
        const std::vector<Contestant> contestants{
            {"java command", {home + "/bin/java", "-cp", BENCH_APP_JAR, kMainClass}},
            {"JNI layer", {self, "--start", libjvm}},
            {"with archive, later starts", {self, "--start", libjvm, kept}},
            {"with archive, first start",
             {self, "--start", libjvm, fresh},
             [&] {
                 fs::remove_all(fresh);
                 fs::create_directories(fresh);
             }},
            {"bare invocation", {bare, libjvm, BENCH_APP_JAR, "app/Main"}},
        };
        std::vector<std::vector<double>> times(contestants.size());
        for (const Contestant& contestant : contestants) {
            contestant.before();
            TimedRun(contestant.command);  // warms the file cache; makes the kept archive
        }
        for (int i = 0; i < runs; ++i) {
            for (std::size_t c = 0; c < contestants.size(); ++c) {
                contestants[c].before();
                times[c].push_back(TimedRun(contestants[c].command));
            }
        }
        const double java = Median(times[0]);
        std::printf("%s, median of %d:\n", home.c_str(), runs);
        for (std::size_t c = 0; c < contestants.size(); ++c) {
            std::printf("  %-28s %7.1f ms  %.2f x java\n", contestants[c].name, Median(times[c]),
                        Median(times[c]) / java);
        }
        fs::remove_all(scratch);
    }
    return 0;
}
