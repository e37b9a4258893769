// Times whole runs of mailer.exe that end in the stand-in smapi.dll beside it, under wine or
// Windows:
//   tools/wine-run <build>/wineprefix <build>/bench/mailer_run/mailer_run_bench.exe
// Each job goes to the third way (no automation servers registered in a bench prefix), so the
// figures are start-up, job reading and the library hand-over.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "job/job_file.h"
#include "run_process.h"

namespace fs = std::filesystem;
using testing_support::ProcessRequest;
using testing_support::RunProcess;
using testing_support::ThisProgramFolder;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Job(const fs::path& body, const std::string& documents) {
    return "[Empfaenger]\r\nEmpfaenger1=a@example.org\r\n[Mail]\r\nBetreff=Bench\r\nText=" +
           body.string() + "\r\n[Dokumente]\r\n" + documents;
}

// Median wall time of a run in milliseconds; -1 when a run did not end with 1.
double MedianRun(const fs::path& job, int rounds) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        ProcessRequest request;
        request.program = ThisProgramFolder() + L"\\mailer.exe";
        request.arguments = L"\"" + job.wstring() + L"\"";
        request.timeout = std::chrono::minutes(10);
        const auto start = std::chrono::steady_clock::now();
        const auto result = RunProcess(request);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (result.exitCode != 1) {
            return -1;
        }
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int wmain() {
    const fs::path folder = fs::path(ThisProgramFolder()) / L"mailer_bench_jobs";
    fs::create_directories(folder);
    const fs::path body = folder / L"body.txt";
    WriteFile(body, "Guten Tag,\r\nanbei die Unterlagen.");

    std::string bulk = "[Ballast]\r\n";
    while (bulk.size() < 10 * 1024 * 1024) {
        bulk += "Zeile" + std::to_string(bulk.size()) + "=" + std::string(100, 'x') + "\r\n";
    }
    WriteFile(folder / L"big_body.txt", std::string(20 * 1024 * 1024, 'b'));

    const struct {
        const char* name;
        std::string job;
        int rounds;
    } jobs[] = {
        {"no documents", Job(body, "AnzahlDokumente=0\r\n"), 9},
        {"two documents (2 x 200 ms pause)",
         Job(body, "AnzahlDokumente=2\r\nDokument1=C:\\a.pdf\r\nDokument2=C:\\b.pdf\r\n"), 5},
        {"10 MB job file", bulk + Job(body, "AnzahlDokumente=0\r\n"), 3},
        {"20 MB body", Job(folder / L"big_body.txt", "AnzahlDokumente=0\r\n"), 3},
        {"count 32767, no document keys", Job(body, "AnzahlDokumente=32767\r\n"), 3},
    };
    for (const auto& job : jobs) {
        const fs::path path = folder / L"job.ini";
        WriteFile(path, job.job);
        std::printf("%-36s %10.1f ms\n", job.name, MedianRun(path, job.rounds));
        fs::remove(fs::path(ThisProgramFolder()) / L"smapi_calls.log");
    }

    // The part of the largest count that is job reading: 32767 keys that are not there.
    const fs::path path = folder / L"job.ini";
    WriteFile(path, Job(body, "AnzahlDokumente=32767\r\n"));
    const auto start = std::chrono::steady_clock::now();
    size_t found = 0;
    for (int i = 1; i <= 32767; ++i) {
        found += mailer::INIGetValue(path.wstring(), L"Dokumente", L"Dokument" + std::to_wstring(i))
                     .size();
    }
    std::printf(
        "%-36s %10.1f ms (%zu)\n", "reading 32767 missing keys",
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
        found);
    fs::remove_all(folder);
    return 0;
}
