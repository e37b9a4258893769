// Times the launcher's own start-up work under wine or Windows:
//   tools/wine-run <build>/wineprefix <build>/bench/launcher_startup/launcher_startup_bench.exe
// It writes vendor keys below HKEY_LOCAL_MACHINE\Software\JavaSoft\JRE (and removes them),
// so run it in a prefix where no test is running. The last figure, the start-up work as one,
// comes twice: without JAVASTUB_TRACE, then from a copy of this program started with it.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "options/jvm_options.h"
#include "runtime/registry_search.h"
#include "runtime/registry_sources.h"
#include "settings/launcher_settings.h"
#include "settings/setting_values.h"
#include "trace/startup_trace.h"

namespace fs = std::filesystem;

namespace {

std::wstring ProgramFolder() {
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.rfind(L'\\'));
}

// Median wall time of one call, in milliseconds.
double MedianMilliseconds(int rounds, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BenchSettingsRead(const fs::path& root) {
    const fs::path program = root / L"start.exe";
    std::ofstream(root / L"start.ini")
        << "[Product Information]\r\nProduct Code=bench\r\nProduct Name=Bench\r\n"
           "[Java Runtime Environment]\r\nMinimum Version=1.6\r\nMaximum Version=any\r\n"
           "Preferred versions=1.8;1.7\r\nJVM Type=favor_server\r\nJVM Source=favor_JRE\r\n"
           "VM Provider=favor_sun\r\nMain Class=com.example.Main\r\nSystem Path=C:\\tools\r\n"
           "Library Path=C:\\native;\r\n"
           "[Application]\r\nFailure Check=Yes\r\nPair Product=C:\\x64\\start.exe\r\n";
    launcher::LauncherSettings settings;
    const double ms = MedianMilliseconds(50, [&] {
        settings = {};
        launcher::LoadLauncherSettingsFor(program.wstring(), settings);
    });
    std::printf("settings read (all keys)            %8.3f ms\n", ms);
}

void WriteVendorKeys(const fs::path& root, int count);
void RemoveVendorKeys(int count);

void BenchRegistrySearch(const fs::path& root, int count) {
    WriteVendorKeys(root, count);
    launcher::LauncherSettings settings;
    settings.maximumVersion = launcher::ParseMaximumVersion(L"any");
    settings.preferredVersions = {L"1.3"};
    const double ms = MedianMilliseconds(
        20, [&] { launcher::SearchRegistry(settings, support::RegistryView::Default); });
    std::printf("registry search, %4d runtimes       %8.3f ms  (%.3f ms per runtime)\n", count, ms,
                ms / count);
    RemoveVendorKeys(count);
}

void BenchClassPath(const fs::path& root, int jars) {
    const fs::path app = root / (L"app" + std::to_wstring(jars));
    fs::create_directories(app / L"lib");
    for (int i = 0; i < jars; ++i) {
        std::ofstream(app / L"lib" / (L"library-" + std::to_wstring(i) + L".jar")) << "x";
    }
    std::ofstream(app / L"start.ini") << "[Class Path]\r\nClass Path=lib\\*.jar\r\n";
    const launcher::SettingsReader reader((app / L"start.ini").wstring());
    const std::wstring program = (app / L"start.exe").wstring();
    size_t length = 0;
    const double ms = MedianMilliseconds(jars > 1000 ? 5 : 20, [&] {
        launcher::JvmRequest request;
        launcher::AssembleOptionsFrom(request, reader, program, {});
        length = request.options.front().size();
    });
    std::printf("class path lib\\*.jar, %5d jars     %8.3f ms  (%.2f us per jar, %zu chars)\n",
                jars, ms, ms * 1000 / jars, length);
}

void WriteVendorKeys(const fs::path& root, int count) {
    const std::wstring key = launcher::kRegistrySources[1].key;
    const fs::path image = fs::path(ProgramFolder()) / L"jvm_x86.dll";
    for (int i = 0; i < count; ++i) {
        const fs::path home = root / (L"rt" + std::to_wstring(i));
        fs::create_directories(home / L"bin" / L"client");
        fs::copy_file(image, home / L"bin" / L"client" / L"jvm.dll",
                      fs::copy_options::overwrite_existing);
        HKEY version = nullptr;
        const std::wstring subkey = key + L"1." + std::to_wstring(i) + L".0_" + std::to_wstring(i);
        ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &version, nullptr);
        const std::wstring javaHome = home.wstring();
        ::RegSetValueExW(version, L"JavaHome", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(javaHome.c_str()),
                         static_cast<DWORD>((javaHome.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(version);
    }
}

void RemoveVendorKeys(int count) {
    const std::wstring key = launcher::kRegistrySources[1].key;
    for (int i = 0; i < count; ++i) {
        const std::wstring subkey = key + L"1." + std::to_wstring(i) + L".0_" + std::to_wstring(i);
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, subkey.c_str());
    }
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\JavaSoft\\JRE");
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\JavaSoft");
}

// Settings read, a registry search over 20 runtimes and a class path of 10 jars, as one
// start does them, with the trace as this process found JAVASTUB_TRACE.
void BenchStartupWork(const fs::path& root) {
    const int runtimes = 20;
    WriteVendorKeys(root, runtimes);
    fs::create_directories(root / L"lib");
    for (int i = 0; i < 10; ++i) {
        std::ofstream(root / L"lib" / (L"library-" + std::to_wstring(i) + L".jar")) << "x";
    }
    std::ofstream(root / L"start.ini")
        << "[Java Runtime Environment]\r\nMinimum Version=1.6\r\nMaximum Version=any\r\n"
           "Preferred versions=1.3\r\nMain Class=com.example.Main\r\n"
           "[Class Path]\r\nClass Path=lib\\*.jar\r\n";
    const std::wstring program = (root / L"start.exe").wstring();
    const launcher::SettingsReader reader((root / L"start.ini").wstring());
    const double ms = MedianMilliseconds(20, [&] {
        launcher::LauncherSettings settings;
        launcher::LoadLauncherSettingsFor(program, settings);
        launcher::SearchRegistry(settings, support::RegistryView::Default);
        launcher::JvmRequest request;
        launcher::AssembleOptionsFrom(request, reader, program, {});
    });
    std::printf("start-up work, trace %-3s            %8.3f ms\n",
                launcher::trace::On() ? "set" : "off", ms);
    if (!launcher::trace::On()) {
        // What each of the few dozen trace lines of a start costs when nothing is written.
        const std::wstring text = program;
        const int calls = 1000000;
        const double off = MedianMilliseconds(5, [&] {
            for (int i = 0; i < calls; ++i) {
                launcher::trace::Write(L"candidate ", text, L": taken, ", i);
            }
        });
        std::printf("one trace line, trace off            %8.3f ns\n", off * 1e6 / calls);
    }
    RemoveVendorKeys(runtimes);
}

// This program again, with JAVASTUB_TRACE naming a file, for the traced figure.
void RunTracedCopy(const fs::path& root) {
    const fs::path file = root / L"trace.log";
    ::SetEnvironmentVariableW(L"JAVASTUB_TRACE", file.c_str());
    std::wstring commandLine = L"bench traced";
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         nullptr, &startup, &process)) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    }
    std::error_code ignored;
    std::printf("  (trace file: %ju bytes)\n",
                static_cast<std::uintmax_t>(fs::file_size(file, ignored)));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"traced") {
        const fs::path root =
            fs::temp_directory_path() / (L"ts_bench_" + std::to_wstring(::GetCurrentProcessId()));
        BenchStartupWork(root);
        std::error_code ignored;
        fs::remove_all(root, ignored);
        return 0;
    }
    const fs::path root =
        fs::temp_directory_path() / (L"ts_bench_" + std::to_wstring(::GetCurrentProcessId()));
    fs::create_directories(root);
    BenchSettingsRead(root);
    for (const int count : {20, 50}) {
        BenchRegistrySearch(root / (L"registry" + std::to_wstring(count)), count);
    }
    for (const int jars : {10, 1000, 5000}) {
        BenchClassPath(root, jars);
    }
    BenchStartupWork(root / L"work");
    RunTracedCopy(root);
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
