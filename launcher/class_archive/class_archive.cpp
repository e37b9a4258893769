#include "class_archive/class_archive.h"

#include <windows.h>

#include <atomic>

#include "class_archive/archive_facts.h"
#include "class_archive/windows_archive_folder.h"
#include "jvm/class_archive.h"
#include "jvm/run_hooks.h"
#include "settings/settings_path_rules.h"
#include "settings/settings_paths.h"
#include "support/decimal_text.h"
#include "support/file_system.h"
#include "support/text_conversion.h"
#include "trace/startup_trace.h"

namespace launcher {
namespace {

// Making an archive needs room; a dump that runs out of it ends the JVM with exit code 1.
constexpr ULONGLONG kRoomForAnArchive = 256ULL << 20;

// The 32-bit launcher and its 64-bit pair share the folder; each keeps its own archives.
constexpr std::string_view kPrefix = sizeof(void*) == 8 ? "x64-" : "x86-";

// The archive being made. Process-wide: the JVM's exit hook carries no context.
struct PendingArchive {
    std::wstring folder;
    std::string stem;
    std::string name;
};
PendingArchive pendingArchive;
std::atomic<bool> archivePending{false};

// %LOCALAPPDATA%\<launcher's base name>\, made when missing; a service gets its account's.
std::optional<std::wstring> ArchiveFolder() {
    const std::optional<std::wstring> localData = support::TryExpandEnvironment(L"%LOCALAPPDATA%");
    const std::optional<std::wstring> program = ModulePath();
    if (!localData || localData->empty() || localData->front() == L'%' || !program) {
        return std::nullopt;
    }
    const std::wstring folder = *localData + L"\\" + ProgramBaseName(*program);
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        return std::nullopt;
    }
    return folder + L"\\";
}

// The path in the option text the JVM reads; nothing when the code page cannot spell it.
std::optional<std::string> OptionPath(const std::wstring& path) {
    std::string text = support::WideToAnsi(path);
    if (support::AnsiToWide(text) != path) {
        return std::nullopt;
    }
    return text;
}

ULONGLONG FreeRoom(const std::wstring& folder) {
    ULARGE_INTEGER free{};
    return ::GetDiskFreeSpaceExW(folder.c_str(), &free, nullptr, nullptr) ? free.QuadPart : 0;
}

// Why no archive fits this run; empty when one does.
std::wstring Obstacle(const std::vector<std::string>& options, const ArchiveFacts& facts) {
    if (jvm::ChoosesClassSharing(options)) {
        return L"the VM parameters choose class sharing themselves";
    }
    if (facts.feature == 0) {
        return L"the runtime's version is unknown (no release file)";
    }
    if (facts.feature < 13) {
        return L"runtime version " + support::DecimalText(facts.feature) + L" keeps none";
    }
    if (!facts.runtimeHasBaseArchive) {
        return L"the runtime has no base archive (classes.jsa)";
    }
    if (!facts.classPathFolder.empty()) {
        return L"the class path holds a folder: " + facts.classPathFolder;
    }
    return {};
}

}  // namespace

void AddClassArchive(const LauncherSettings& settings, const std::wstring& jvmLibraryPath,
                     JvmRequest& request) {
    if (!settings.classDataArchive) {
        return;
    }
    const trace::Phase phase(L"class-data archive");
    const ArchiveFacts facts = GatherArchiveFacts(jvmLibraryPath, request.options);
    if (const std::wstring obstacle = Obstacle(request.options, facts); !obstacle.empty()) {
        trace::Write(L"no archive: ", obstacle);
        return;
    }
    const std::optional<std::wstring> folder = ArchiveFolder();
    const std::optional<std::string> folderText = folder ? OptionPath(*folder) : std::nullopt;
    if (!folderText) {
        trace::Write(L"no archive: no folder below %LOCALAPPDATA% that the runtime can name");
        return;
    }
    const std::string stem = std::string(kPrefix) + jvm::ArchiveKey(facts.keyParts);
    WindowsArchiveFolder files(*folder);
    const std::string complete = jvm::FindCompleteArchive(files, stem);
    if (complete.empty() && FreeRoom(*folder) < kRoomForAnArchive) {
        trace::Write(L"no archive: less than 256 MiB free in ", *folder);
        return;
    }
    const std::string pending = jvm::PendingArchiveName(stem, ::GetCurrentProcessId());
    const std::vector<std::string> options = jvm::ClassArchiveOptions(
        facts.feature, complete.empty() ? std::string() : *folderText + complete,
        *folderText + pending);
    // First, so that the application's own logging options can still speak.
    request.options.insert(request.options.begin(), options.begin(), options.end());
    if (!complete.empty()) {
        trace::Write(L"archive used: ", *folder, support::AnsiToWide(complete));
        return;
    }
    trace::Write(L"archive made at the JVM's end: ", *folder, support::AnsiToWide(pending));
    pendingArchive = {*folder, stem, pending};
    archivePending.store(true);
    jvm::SetExitWork(&CompleteClassArchive);
}

bool ClassArchivePending() {
    return archivePending.load();
}

void CompleteClassArchive() {
    if (!archivePending.exchange(false)) {
        return;
    }
    WindowsArchiveFolder files(pendingArchive.folder);
    const std::string complete =
        jvm::CompletePendingArchive(files, kPrefix, pendingArchive.stem, pendingArchive.name);
    trace::Write(complete.empty() ? L"archive: the JVM wrote none"
                                  : L"archive complete: " + support::AnsiToWide(complete));
}

}  // namespace launcher
