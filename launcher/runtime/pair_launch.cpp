#include "runtime/pair_launch.h"

#include <string>

#include "messages/error_report.h"
#include "runtime/pair_launch_messages.h"
#include "support/unique_handle.h"
#include "trace/startup_trace.h"

namespace launcher {

int HandOverToPairLauncher(const LauncherSettings& settings) {
    // CreateProcessW may write into the command line; it gets a copy.
    std::wstring commandLine = ::GetCommandLineW();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    trace::Write(L"hand-over to the pair launcher: ", settings.pairProduct, L" with ", commandLine);
    if (!::CreateProcessW(settings.pairProduct.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                          0, nullptr, nullptr, &startup, &process)) {
        trace::Write(L"pair launcher not started: error ",
                     static_cast<unsigned long>(::GetLastError()));
        // Nothing ran, so this is no success, whether or not its code was asked for.
        ReportSystemError(text::kPairLaunchFailed);
        return -1;
    }
    const support::UniqueHandle processHandle(process.hProcess);
    const support::UniqueHandle threadHandle(process.hThread);
    trace::Write(L"pair launcher started: process ", process.dwProcessId);
    if (!settings.pairReturnCode) {
        return 0;
    }
    DWORD exitCode = 0;
    if (::WaitForSingleObject(processHandle.get(), INFINITE) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(processHandle.get(), &exitCode)) {
        // The pair's answer is unknown; 0 would claim that it succeeded.
        return -1;
    }
    trace::Write(L"pair launcher ended: exit code ", static_cast<int>(exitCode));
    return static_cast<int>(exitCode);
}

}  // namespace launcher
