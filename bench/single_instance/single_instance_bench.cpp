// Times a later start of a single instance, from its start to its exit, with the int form of
// secondaryMain, against a start that fails at a missing main class (settings, runtime search,
// JVM library, JVM creation, class lookup). Both against the stand-in jvm.dll, median of each:
//   tools/wine-run <build>/wineprefix <build>/bench/single_instance/single_instance_bench.exe
//   [RUNS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "run_process.h"
#include "test_text.h"

namespace fs = std::filesystem;
using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::RunProcess;
using testing_support::WinePath;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

class Bench {
  public:
    Bench() {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        root_ = fs::path(temp) / (L"si_bench_" + std::to_wstring(::GetCurrentProcessId()));
        fs::create_directories(root_ / L"jre" / L"bin" / L"client");
        std::ofstream(root_ / L"jre" / L"bin" / L"java.dll") << "marker";
        fs::copy_file(WinePath(JVM_DOUBLE), root_ / L"jre" / L"bin" / L"client" / L"jvm.dll");
    }
    ~Bench() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // A launcher under its own name with its settings file beside it.
    fs::path Install(const std::wstring& name, const std::string& application) const {
        const fs::path program = root_ / (name + L".exe");
        fs::copy_file(WinePath(JAVASTUB), program);
        std::ofstream(root_ / (name + L".ini"), std::ios::binary)
            << "[Java Runtime Environment]\r\nMain Class=com.example.App\r\nJRE Path="
            << (root_ / "jre").string() << "\r\n[Application]\r\n"
            << application << "[Class Path]\r\nClass Path=classes\r\n";
        return program;
    }

    ProcessRequest Request(const fs::path& program, const std::wstring& arguments) const {
        ProcessRequest request;
        request.program = program.wstring();
        request.arguments = arguments;
        request.environment[L"JAVA_HOME"] = std::nullopt;
        request.environment[L"APPDATA"] = root_.wstring();
        request.environment[L"TS_JVM_DOUBLE_LOG"] = (root_ / L"record.log").wstring();
        request.environment[L"TS_JVM_DOUBLE_MISSING_METHODS"] =
            L"secondaryMain([Ljava/lang/String;)V";
        request.environment[L"TS_JVM_DOUBLE_SECONDARY_RESULT"] = L"7";
        return request;
    }

    const fs::path& Root() const { return root_; }

  private:
    fs::path root_;
};

// Milliseconds from the start of each run to its exit; false when a run ends otherwise.
bool Time(int runs, const ProcessRequest& request, DWORD exitCode, std::vector<double>& times) {
    for (int run = 0; run < runs; ++run) {
        const auto started = std::chrono::steady_clock::now();
        const ProcessResult result = RunProcess(request);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count());
        if (result.exitCode != exitCode) {
            std::fprintf(stderr, "run %d ended with %lu, not %lu\n%s%s", run, result.exitCode,
                         exitCode, result.out.c_str(), result.err.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs =
        argc > 1 ? std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10))) : 20;
    Bench bench;

    // The primary runs until the release file exists.
    const fs::path single = bench.Install(L"single", "Single Instance=yes\r\n");
    ProcessRequest primaryRequest = bench.Request(single, {});
    primaryRequest.environment[L"TS_JVM_DOUBLE_SI_HOLD_MAIN"] = (bench.Root() / L"go").wstring();
    primaryRequest.timeout = std::chrono::minutes(10);
    auto primary = std::async(std::launch::async, [&] { return RunProcess(primaryRequest); });
    while (ReadAll(bench.Root() / L"record.log").find("hold main") == std::string::npos) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::vector<double> handOver;
    const bool handedOver = Time(runs, bench.Request(single, L"a b"), 7, handOver);
    std::ofstream(bench.Root() / L"go") << "go";
    primary.get();

    ProcessRequest failing = bench.Request(bench.Install(L"plain", ""), L"a b");
    failing.environment[L"TS_JVM_DOUBLE_MISSING_CLASSES"] = L"com/example/App";
    std::vector<double> missingClass;
    const bool failed = Time(runs, failing, 1, missingClass);
    if (!handedOver || !failed) {
        return 1;
    }
    std::printf("median of %d runs, start to exit:\n", runs);
    std::printf("  later start handed to int secondaryMain: %7.1f ms\n", Median(handOver));
    std::printf("  start failing at a missing main class:   %7.1f ms\n", Median(missingClass));
    return 0;
}
