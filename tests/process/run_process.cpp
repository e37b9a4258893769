#include "run_process.h"

#include <atomic>
#include <cwctype>
#include <thread>
#include <vector>

namespace testing_support {
namespace {

struct Handle {
    HANDLE h = nullptr;
    Handle() = default;
    explicit Handle(HANDLE value) : h(value) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }
    void Close() {
        if (h != nullptr && h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
        }
        h = nullptr;
    }
};

// Pipe whose one end (the child's) is inheritable.
bool MakePipe(Handle& read, Handle& write, bool childReads) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    if (!::CreatePipe(&read.h, &write.h, &sa, 0)) {
        return false;
    }
    ::SetHandleInformation(childReads ? write.h : read.h, HANDLE_FLAG_INHERIT, 0);
    return true;
}

// Reads what the program writes until every writer has gone: the processes that the program
// started may still write (an installer's server, a pair launcher). A writer that stays for
// ever is not waited for longer than kLingerAfterEnd once the program has ended: wine's
// desktop process, started by a program's first window, inherits the pipe and never ends.
constexpr DWORD kLingerAfterEnd = 20000;

void Drain(HANDLE pipe, std::string& sink, const std::atomic<ULONGLONG>& endedAt) {
    std::vector<char> buffer(4096);
    for (;;) {
        const ULONGLONG ended = endedAt;  // before the look, so that nothing written is left
        DWORD available = 0;
        if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) {
            return;  // every writer has gone
        }
        if (available == 0) {
            if (ended != 0 && ::GetTickCount64() - ended > kLingerAfterEnd) {
                return;
            }
            ::Sleep(2);
            continue;
        }
        DWORD got = 0;
        if (!::ReadFile(pipe, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            return;
        }
        sink.append(buffer.data(), got);
    }
}

std::wstring Upper(std::wstring text) {
    for (auto& c : text) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return text;
}

// A sorted environment block with the request's changes applied.
std::vector<wchar_t> EnvironmentBlock(
    const std::map<std::wstring, std::optional<std::wstring>>& changes) {
    std::map<std::wstring, std::pair<std::wstring, std::wstring>> byUpperName;
    if (wchar_t* current = ::GetEnvironmentStringsW()) {
        for (const wchar_t* entry = current; *entry != L'\0'; entry += wcslen(entry) + 1) {
            std::wstring text(entry);
            const size_t eq = text.find(L'=', 1);
            if (eq == std::wstring::npos) {
                continue;
            }
            std::wstring name = text.substr(0, eq);
            byUpperName[Upper(name)] = {name, text.substr(eq + 1)};
        }
        ::FreeEnvironmentStringsW(current);
    }
    for (const auto& [name, value] : changes) {
        if (value) {
            byUpperName[Upper(name)] = {name, *value};
        } else {
            byUpperName.erase(Upper(name));
        }
    }
    std::vector<wchar_t> block;
    for (const auto& [upper, entry] : byUpperName) {
        const std::wstring line = entry.first + L"=" + entry.second;
        block.insert(block.end(), line.begin(), line.end());
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

// Every start that had to be repeated is written to the run's retry log, which the test
// command lists at its end: a retry must not go unseen.
void LogRetry(const std::wstring& program, int attempt, DWORD error) {
    Handle log(::CreateFileW(TS_RETRY_LOG, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (log.h == INVALID_HANDLE_VALUE) {
        return;
    }
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    const std::wstring line = self + L": start " + std::to_wstring(attempt) + L" of " + program +
                              L" failed with error " + std::to_wstring(error) + L"\n";
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(),
                          size, nullptr, nullptr);
    DWORD written = 0;
    ::WriteFile(log.h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

std::wstring Quoted(const std::wstring& path) {
    return path.find(L' ') == std::wstring::npos ? path : L"\"" + path + L"\"";
}

std::wstring ThisProgramFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/"));
}

ProcessResult RunProcess(const ProcessRequest& request) {
    ProcessResult result;
    Handle inRead, inWrite, outRead, outWrite, errRead, errWrite;
    if (!MakePipe(inRead, inWrite, true) || !MakePipe(outRead, outWrite, false) ||
        !MakePipe(errRead, errWrite, false)) {
        result.startError = ::GetLastError();
        return result;
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inRead.h;
    startup.hStdOutput = request.withoutStandardOutput ? nullptr : outWrite.h;
    startup.hStdError = request.withoutStandardOutput ? nullptr : errWrite.h;

    std::wstring commandLine = Quoted(request.program);
    if (!request.arguments.empty()) {
        commandLine += L" " + request.arguments;
    }
    std::vector<wchar_t> environment = EnvironmentBlock(request.environment);
    PROCESS_INFORMATION info{};
    // Under load wine now and then fails to bring up a new process although the program is
    // sound; only a missing program or folder is a definite answer.
    for (int attempt = 1;; ++attempt) {
        if (::CreateProcessW(
                request.program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                CREATE_UNICODE_ENVIRONMENT, environment.data(),
                request.currentDirectory.empty() ? nullptr : request.currentDirectory.c_str(),
                &startup, &info)) {
            break;
        }
        result.startError = ::GetLastError();
        if (attempt == 3 || result.startError == ERROR_FILE_NOT_FOUND ||
            result.startError == ERROR_PATH_NOT_FOUND) {
            return result;
        }
        LogRetry(request.program, attempt, result.startError);
        ::Sleep(200);
    }
    result.startError = 0;
    result.started = true;
    Handle process(info.hProcess);
    Handle thread(info.hThread);
    // Our copies of the child's ends must go, or the reads below never see the end.
    inRead.Close();
    outWrite.Close();
    errWrite.Close();

    std::atomic<ULONGLONG> endedAt{0};
    std::thread outReader([&] { Drain(outRead.h, result.out, endedAt); });
    std::thread errReader([&] { Drain(errRead.h, result.err, endedAt); });
    if (!request.input.empty()) {
        DWORD written = 0;
        ::WriteFile(inWrite.h, request.input.data(), static_cast<DWORD>(request.input.size()),
                    &written, nullptr);
    }
    inWrite.Close();

    if (::WaitForSingleObject(process.h, static_cast<DWORD>(request.timeout.count())) !=
        WAIT_OBJECT_0) {
        result.timedOut = true;
        ::TerminateProcess(process.h, 0xDEAD);
        ::WaitForSingleObject(process.h, INFINITE);
    }
    ::GetExitCodeProcess(process.h, &result.exitCode);
    endedAt = ::GetTickCount64();
    outReader.join();
    errReader.join();
    return result;
}

}  // namespace testing_support
