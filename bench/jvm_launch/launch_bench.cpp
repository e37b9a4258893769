// What a start costs: a trivial main through the JNI layer against the JDK's own `java`
// command on the same runtime, alternating, median of each.
//
// jvm_launch_bench JDK_HOME CLASS_DIR [RUNS]     measure (default 15 runs of each)
// jvm_launch_bench --start LIBJVM CLASS_DIR      one start through the layer (used by the above)

#include "child_process.h"

#include "jvm/jvm_start.h"
#include "jvm/main_invocation.h"
#include "jvm/reporter.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class SilentReporter final : public jvm::Reporter {
  public:
    void Report(jvm::Message, std::u16string_view) override { failed = true; }
    void ReportCreateFailure(jint) override { failed = true; }
    bool failed = false;
};

int StartThroughLayer(const char* library, const std::string& classDir) {
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
    SilentReporter reporter;
    jvm::Jvm created;
    if (!jvm::CreateJvm(create, {"-Djava.class.path=" + classDir}, reporter, created)) {
        return 1;
    }
    jvm::MainRequest request;
    request.mainClass = u"Trivial";
    return jvm::InvokeMain(created, finder, request, reporter) ? 0 : 1;
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

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--start") {
        return StartThroughLayer(argv[2], argv[3]);
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: jvm_launch_bench JDK_HOME CLASS_DIR [RUNS]\n");
        return 2;
    }
    const std::string home = argv[1];
    const std::string classDir = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    std::string self(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length <= 0) {
        return 2;
    }
    self.resize(static_cast<std::size_t>(length));
    const std::vector<std::string> ours{self, "--start", home + "/lib/server/libjvm.so", classDir};
    const std::vector<std::string> theirs{home + "/bin/java", "-cp", classDir, "Trivial"};

    TimedRun(ours);  // warm the file cache for both
    TimedRun(theirs);
    std::vector<double> layer, command;
    for (int i = 0; i < runs; ++i) {
        layer.push_back(TimedRun(ours));
        command.push_back(TimedRun(theirs));
    }
    const double ourMedian = Median(layer);
    const double theirMedian = Median(command);
    std::printf("%s: JNI layer %.1f ms, java command %.1f ms (median of %d), ratio %.3f\n",
                home.c_str(), ourMedian, theirMedian, runs, ourMedian / theirMedian);
    return 0;
}
