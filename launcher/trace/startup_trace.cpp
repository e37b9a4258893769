#include "trace/startup_trace.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "support/unique_handle.h"
#include "support/utf8.h"

namespace launcher::trace {
namespace {

constexpr wchar_t kVariable[] = L"JAVASTUB_TRACE";

// The file as a full path, so that a change of the working folder later in the run, or the
// pair launcher started from here, appends to the same file.
std::wstring TraceFile() {
    const DWORD size = ::GetEnvironmentVariableW(kVariable, nullptr, 0);
    if (size <= 1) {
        return {};
    }
    std::wstring name(size, L'\0');
    name.resize(::GetEnvironmentVariableW(kVariable, name.data(), size));
    const DWORD fullSize = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (fullSize == 0) {
        return name;
    }
    std::wstring full(fullSize, L'\0');
    full.resize(::GetFullPathNameW(name.c_str(), fullSize, full.data(), nullptr));
    if (full != name) {
        ::SetEnvironmentVariableW(kVariable, full.c_str());
    }
    return full;
}

const std::wstring& File() {
    static const std::wstring file = TraceFile();
    return file;
}

}  // namespace

bool On() {
    static const bool on = !File().empty();
    return on;
}

void WriteLine(std::wstring_view line) {
    // The steps around a trace line may still read the last error of their own call.
    const DWORD lastError = ::GetLastError();
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    using support::DecimalText;
    std::wstring text = DecimalText(now.wYear, 4) + L"-" + DecimalText(now.wMonth, 2) + L"-" +
                        DecimalText(now.wDay, 2) + L" " + DecimalText(now.wHour, 2) + L":" +
                        DecimalText(now.wMinute, 2) + L":" + DecimalText(now.wSecond, 2) + L"." +
                        DecimalText(now.wMilliseconds, 3) + L" [" +
                        DecimalText(::GetCurrentProcessId()) +
                        (sizeof(void*) == 8 ? L" x64] " : L" x86] ");
    text += line;
    text += L"\r\n";
    const std::string bytes = support::WideToUtf8(text);
    // Appending writes land at the end even when the pair launcher writes too.
    const support::UniqueHandle file(support::ValidOrNull(
        ::CreateFileW(File().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) {
        ::SetLastError(lastError);
        return;
    }
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::SetLastError(lastError);
}

}  // namespace launcher::trace
