// Stands in for the 64-bit pair launcher: records the command line it was given, stays for
// TS_PAIR_HOLD_MS milliseconds if asked, and ends with the exit code the test asks for.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

int wmain() {
    const wchar_t* record = _wgetenv(L"TS_PAIR_RECORD");
    if (record != nullptr) {
        std::wofstream(record, std::ios::app) << ::GetCommandLineW() << L'\n';
    }
    if (const wchar_t* hold = _wgetenv(L"TS_PAIR_HOLD_MS")) {
        ::Sleep(std::wcstoul(hold, nullptr, 10));
    }
    const wchar_t* code = _wgetenv(L"TS_PAIR_EXIT_CODE");
    return code == nullptr ? 0 : static_cast<int>(std::wcstoul(code, nullptr, 0));
}
