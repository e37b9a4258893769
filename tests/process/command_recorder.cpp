// Stands in for a program that another program starts (a shell handler, Explorer): it
// appends its whole command line, as UTF-8, as one line to <its own path minus ".exe">.log
// and ends with 0. Copy it under the name of the program it replaces.
#include <windows.h>

#include <string>

int wmain() {
    wchar_t self[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring log(self, length);
    log = log.substr(0, log.rfind(L'.')) + L".log";

    const wchar_t* commandLine = ::GetCommandLineW();
    const int needed =
        ::WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string line(needed > 0 ? static_cast<size_t>(needed - 1) : 0, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, line.data(), needed, nullptr, nullptr);
    line += "\n";

    const HANDLE file = ::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
    return 0;
}
