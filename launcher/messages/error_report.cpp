#include "messages/error_report.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "messages/catalogue.h"
#include "messages/error_box.h"
#include "messages/error_line.h"
#include "support/utf8.h"

namespace launcher {
namespace {

void WriteBytes(HANDLE output, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!::WriteFile(output, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return;
        }
        done += written;
    }
}

void WriteConsoleText(HANDLE console, const std::wstring& text) {
    size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 8192));
        if (!::WriteConsoleW(console, text.data() + done, chunk, &written, nullptr) ||
            written == 0) {
            return;
        }
        done += written;
    }
}

}  // namespace

void PrintError(std::wstring_view message) {
    const std::wstring line = ErrorLine(message);
    if (TakeForErrorBox(line)) {
        return;
    }
    HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD mode = 0;
    if (::GetConsoleMode(output, &mode)) {
        WriteConsoleText(output, line);
    } else {
        WriteBytes(output, support::WideToUtf8(line));
    }
}

void ReportSystemError(unsigned descriptionId) {
    const auto code = static_cast<std::int32_t>(::GetLastError());
    const std::wstring description = LoadMessage(descriptionId);
    PrintError(FormatCatalogueMessage(text::kWindowsError, std::wstring_view(description), code));
}

void ReportJvmCreateError(int result) {
    std::wstring reason;
    if (result <= -1 && result >= -6) {
        reason = LoadMessage(
            static_cast<unsigned>(static_cast<int>(text::kModuleNotInitialized) - result));
    }
    const std::wstring what = LoadMessage(text::kJvmNotCreated);
    PrintError(FormatCatalogueMessage(text::kJniError, std::wstring_view(what),
                                      std::wstring_view(reason)));
}

}  // namespace launcher
