// A second program for the double's tests: "share_probe get NAME" prints the share's
// path, "share_probe del NAME" deletes it. The exit code is the API's answer.
#include <windows.h>
#include <lm.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        return 87;
    }
    const std::wstring verb = argv[1];
    if (verb == L"del") {
        return static_cast<int>(::NetShareDel(nullptr, argv[2], 0));
    }
    BYTE* buffer = nullptr;
    const NET_API_STATUS rc = ::NetShareGetInfo(nullptr, argv[2], 502, &buffer);
    if (rc == NERR_Success) {
        std::wprintf(L"%ls", reinterpret_cast<SHARE_INFO_502*>(buffer)->shi502_path);
        ::NetApiBufferFree(buffer);
    }
    return static_cast<int>(rc);
}
