// Stands in for the 64-bit pair launcher: records the command line it was given and ends
// with the exit code the test asks for.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

int wmain() {
    const wchar_t* record = _wgetenv(L"TS_PAIR_RECORD");
    if (record != nullptr) {
        std::wofstream(record) << ::GetCommandLineW();
    }
    const wchar_t* code = _wgetenv(L"TS_PAIR_EXIT_CODE");
    return code == nullptr ? 0 : static_cast<int>(std::wcstoul(code, nullptr, 0));
}
