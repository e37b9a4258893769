#include "messages/error_box.h"

#include <windows.h>

#include <mutex>
#include <string>

#include "settings/settings_path_rules.h"
#include "support/file_system.h"
#include "support/slim_lock.h"
#include "windowed/program_subsystem.h"

namespace launcher {
namespace {

// Lines come from the entry thread and the launcher thread, one after the other.
support::SlimLock gatheredLock;
std::wstring gathered;

// The program's file name without extension; empty when the path cannot be had.
std::wstring BoxTitle() {
    const std::optional<std::wstring> path = support::ModuleFilePath();
    return path ? ProgramBaseName(*path) : std::wstring();
}

}  // namespace

bool StandardStreamAttached(DWORD stream) {
    HANDLE handle = ::GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    // A file, a pipe or a character device (console, NUL) takes the lines; a handle value
    // that names nothing does not.
    ::SetLastError(NO_ERROR);
    return ::GetFileType(handle) != FILE_TYPE_UNKNOWN || ::GetLastError() == NO_ERROR;
}

bool TakeForErrorBox(std::wstring_view line) {
    // The caller's error code may still be wanted after its line.
    const DWORD lastError = ::GetLastError();
    const bool attached = StandardStreamAttached(STD_OUTPUT_HANDLE);
    ::SetLastError(lastError);
    if (attached || !IsWindowedProgram()) {
        return false;
    }
    const std::lock_guard<support::SlimLock> lock(gatheredLock);
    gathered += line;
    return true;
}

ErrorBoxAtEnd::~ErrorBoxAtEnd() {
    std::wstring text;
    {
        const std::lock_guard<support::SlimLock> lock(gatheredLock);
        text.swap(gathered);
    }
    // The blank and line feed that end every error line would show as an empty last line.
    const size_t end = text.find_last_not_of(L" \n");
    text.erase(end == std::wstring::npos ? 0 : end + 1);
    if (text.empty() || serviceMode_ || !OnInteractiveWindowStation()) {
        return;
    }
    ::MessageBoxW(nullptr, text.c_str(), BoxTitle().c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace launcher
