#pragma once
// Starts a program the way a user or another program would and reports everything it
// answered: the full 32-bit exit code (wine's own exit status keeps only 8 bits) and
// the exact bytes of standard output and standard error.
#include <windows.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>

namespace testing_support {

struct ProcessRequest {
    std::wstring program;           // path of the executable; also the first command-line token
    std::wstring arguments;         // the rest of the command line, as typed
    std::wstring currentDirectory;  // empty: inherit
    // Environment changes on top of this process's environment; nullopt removes the variable.
    std::map<std::wstring, std::optional<std::wstring>> environment;
    std::string input;  // bytes for standard input
    std::chrono::milliseconds timeout{30000};
    // Started as from Explorer or a shortcut: no standard output and error at all.
    bool withoutStandardOutput = false;
};

struct ProcessResult {
    bool started = false;
    DWORD startError = 0;   // GetLastError of CreateProcessW when not started
    bool timedOut = false;  // killed after the timeout
    DWORD exitCode = 0;
    std::string out;
    std::string err;
};

ProcessResult RunProcess(const ProcessRequest& request);

// The folder of the running test executable, without a trailing backslash.
std::wstring ThisProgramFolder();

// Quotes a path for a command line when it contains a blank.
std::wstring Quoted(const std::wstring& path);

}  // namespace testing_support
