// What a start costs: a trivial main through the JNI layer against the JDK's own `java`
// command and against bare_jvm_start (create, find the class, call main, destroy: the floor)
// on the same runtime, in turns, median of each.
//
// jvm_launch_bench JDK_HOME[,JDK_HOME...] CLASS_DIR [RUNS]   measure (default 15 runs of each)
// jvm_launch_bench --start LIBJVM CLASS_DIR      one start through the layer (used by the above)

#include "child_process.h"

#include "jvm/jvm_creation.h"
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
    const std::string homes = argv[1];
    const std::string classDir = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    std::string self(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length <= 0) {
        return 2;
    }
    self.resize(static_cast<std::size_t>(length));
    const std::string bare = self.substr(0, self.rfind('/') + 1) + "bare_jvm_start";

    for (std::size_t from = 0; from < homes.size();) {
        const std::size_t comma = std::min(homes.find(',', from), homes.size());
        const std::string home = homes.substr(from, comma - from);
        from = comma + 1;
        const std::string libjvm = home + "/lib/server/libjvm.so";
        const std::vector<std::vector<std::string>> contestants{
            {self, "--start", libjvm, classDir},
            {home + "/bin/java", "-cp", classDir, "Trivial"},
            {bare, libjvm, classDir, "Trivial"},
        };
        std::vector<std::vector<double>> times(contestants.size());
        for (const auto& command : contestants) {
            TimedRun(command);  // warms the file cache
        }
        for (int i = 0; i < runs; ++i) {
            for (std::size_t c = 0; c < contestants.size(); ++c) {
                times[c].push_back(TimedRun(contestants[c]));
            }
        }
        const double layer = Median(times[0]);
        const double command = Median(times[1]);
        const double floor = Median(times[2]);
        std::printf(
            "%s (median of %d): JNI layer %.1f ms, java command %.1f ms, bare "
            "invocation %.1f ms; layer/java %.3f, layer/bare %.3f\n",
            home.c_str(), runs, layer, command, floor, layer / command, layer / floor);
    }
    return 0;
}
