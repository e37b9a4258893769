// Times an install and an uninstall of a package with five shared folders under msiexec:
//   WINEDLLOVERRIDES=netapi32=n tools/wine-run <build>/wineprefix
//       <build>/bench/share_install/share_install_bench.exe [runs]
// Wine cannot make network shares, so the stand-in netapi32 beside the bench goes into the
// prefix's 32-bit system folder, as the share tests do. Wine takes the override from the
// environment wine starts with; msiexec's action server does not see one set later.
// Run it in a prefix where no test is running: installs are machine-wide.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "double_state.h"
#include "run_process.h"

using testing_support::ProcessRequest;
using testing_support::Quoted;
using testing_support::RunProcess;
using testing_support::ThisProgramFolder;

namespace {

struct Timed {
    bool ok = false;
    double seconds = 0;
};

Timed Msiexec(const std::wstring& arguments, const std::wstring& stateFolder) {
    ProcessRequest request;
    request.program = L"C:\\windows\\system32\\msiexec.exe";
    request.arguments = arguments + L" /qn";
    request.environment[L"TS_NETAPI_DOUBLE_DIR"] = stateFolder;
    request.timeout = std::chrono::minutes(2);
    const auto start = std::chrono::steady_clock::now();
    const auto result = RunProcess(request);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {result.started && !result.timedOut && result.exitCode == 0, took.count()};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Report(const char* what, const std::vector<double>& seconds) {
    std::printf("%-10s median %.3f s  min %.3f s  max %.3f s  (%zu runs)\n", what, Median(seconds),
                *std::min_element(seconds.begin(), seconds.end()),
                *std::max_element(seconds.begin(), seconds.end()), seconds.size());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 10;
    const std::wstring folder = ThisProgramFolder();
    std::wstring system(MAX_PATH, L'\0');
    system.resize(::GetSystemDirectoryW(system.data(), MAX_PATH));
    if (!::CopyFileW((folder + L"\\netapi32.dll").c_str(), (system + L"\\netapi32.dll").c_str(),
                     FALSE)) {
        std::fprintf(stderr, "cannot place the stand-in netapi32: error %lu\n", ::GetLastError());
        return 1;
    }
    const std::wstring stateFolder = folder + L"\\netapi_state";
    ::CreateDirectoryW(stateFolder.c_str(), nullptr);
    netapi_double::ResetState(stateFolder);
    const std::wstring package = Quoted(folder + L"\\share_bench.msi");

    std::vector<double> installs;
    std::vector<double> uninstalls;
    for (int run = 0; run < runs; ++run) {
        const Timed install = Msiexec(L"/i " + package, stateFolder);
        const std::size_t made = netapi_double::ReadShareTable(stateFolder).size();
        const Timed uninstall = Msiexec(L"/x " + package, stateFolder);
        const std::size_t left = netapi_double::ReadShareTable(stateFolder).size();
        if (made != 5 || left != 0) {
            std::fprintf(stderr,
                         "run %d: %zu shares made, %zu left after the uninstall"
                         " (is WINEDLLOVERRIDES=netapi32=n set?)\n",
                         run + 1, made, left);
            return 1;
        }
        if (!install.ok || !uninstall.ok) {
            std::fprintf(stderr, "run %d failed (install %s, uninstall %s)\n", run + 1,
                         install.ok ? "ok" : "failed", uninstall.ok ? "ok" : "failed");
            return 1;
        }
        installs.push_back(install.seconds);
        uninstalls.push_back(uninstall.seconds);
    }
    Report("install", installs);
    Report("uninstall", uninstalls);
    return 0;
}
