// A launcher that has chosen a 64-bit runtime: hands its run to the pair launcher named in
// TS_PAIR_PRODUCT ("Pair Return Code" from TS_PAIR_RETURN_CODE) and ends with the result.
#include <windows.h>

#include <cstdlib>
#include <fstream>

#include "runtime/pair_launch.h"

int wmain() {
    launcher::LauncherSettings settings;
    const wchar_t* product = _wgetenv(L"TS_PAIR_PRODUCT");
    settings.pairProduct = product == nullptr ? L"" : product;
    const wchar_t* returnCode = _wgetenv(L"TS_PAIR_RETURN_CODE");
    settings.pairReturnCode = returnCode != nullptr && std::wstring(returnCode) == L"yes";
    if (const wchar_t* record = _wgetenv(L"TS_DRIVER_RECORD")) {
        std::wofstream(record) << ::GetCommandLineW();
    }
    return launcher::HandOverToPairLauncher(settings);
}
