// Times a service start (StartServiceW, as "sc start" sends it, until the manager shows
// RUNNING) and a stop (the stop control until it shows STOPPED) of javastub.exe with the
// stand-in jvm.dll, whose main runs until stop is called:
//   tools/wine-run <build>/wineprefix <build>/bench/service_control/service_control_bench.exe
//       [runs]
// The service's JVM start is the stand-in's, so the figures are the launcher's and the
// manager's share of a start and a stop.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "run_process.h"
#include "test_text.h"
#include "service_control.h"

namespace fs = std::filesystem;
using testing_support::TestService;
using testing_support::WinePath;

namespace {

using Clock = std::chrono::steady_clock;

// The launcher beside its settings file, the stand-in as its runtime.
fs::path MakeApplication(const fs::path& root) {
    fs::remove_all(root);
    fs::create_directories(root / L"app" / L"classes");
    fs::create_directories(root / L"jre" / L"bin" / L"client");
    const fs::path program = root / L"app" / L"start.exe";
    fs::copy_file(WinePath(JAVASTUB), program);
    std::ofstream(root / L"jre" / L"bin" / L"java.dll") << "marker";
    fs::copy_file(WinePath(JVM_DOUBLE), root / L"jre" / L"bin" / L"client" / L"jvm.dll");
    std::ofstream(root / L"jre" / L"bin" / L"client" / L"double.settings", std::ios::binary)
        << "TS_JVM_DOUBLE_SERVICE_MAIN=until-stop\r\n";
    std::ofstream(root / L"app" / L"start.ini", std::ios::binary)
        << "[Java Runtime Environment]\r\nMain Class=com.example.App\r\nJRE Path="
        << (root / L"jre").string()
        << "\r\n[Application]\r\nApplication Type=service\r\n[Class Path]\r\nClass "
           "Path=classes\r\n";
    return program;
}

// Milliseconds until the service shows the state; negative when it did not within 20 s.
double UntilState(TestService& service, DWORD state, Clock::time_point since) {
    while (service.Query().dwCurrentState != state) {
        if (Clock::now() - since > std::chrono::seconds(20)) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10;
    const fs::path root = fs::temp_directory_path() / L"service_control_bench";
    const fs::path program = MakeApplication(root);
    std::vector<double> starts;
    std::vector<double> stops;
    {
        TestService service(L"ts_bench_" + std::to_wstring(::GetCurrentProcessId()),
                            program.wstring());
        for (int i = 0; i <= runs; ++i) {  // the first run warms the file cache
            const Clock::time_point started = Clock::now();
            if (!service.Start()) {
                return 1;
            }
            const double start = UntilState(service, SERVICE_RUNNING, started);
            const Clock::time_point stopping = Clock::now();
            if (service.Control(SERVICE_CONTROL_STOP) != 0) {
                return 1;
            }
            const double stop = UntilState(service, SERVICE_STOPPED, stopping);
            if (start < 0 || stop < 0 || !service.WaitForProcessEnd()) {
                std::fprintf(stderr, "run %d did not reach its state\n", i);
                return 1;
            }
            if (i > 0) {
                starts.push_back(start);
                stops.push_back(stop);
            }
        }
    }
    std::printf("service start to RUNNING: %.1f ms, stop to STOPPED: %.1f ms (median of %d)\n",
                Median(starts), Median(stops), runs);
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
