// Stands in for the deferred share actions in the test packages: writes what it received as
// "CustomActionData" into the installer log, one line per call, so that a test can read
// exactly what the scheduling handed over. Separators and other control characters are
// written as <01> and the like.
#include "installer_services.h"
#include "support/runtime_thread_index.h"

#include <cstdio>
#include <string>

namespace {

UINT Record(MSIHANDLE install, const wchar_t* kind) {
    const std::optional<std::wstring> data =
        pubdirs::ReadInstallerProperty(install, L"CustomActionData");
    std::wstring line = std::wstring(L"share-data-probe ") + kind + L": ";
    if (!data) {
        line += L"<absent>";
    } else {
        for (wchar_t c : *data) {
            if (c < L' ') {
                wchar_t code[8];
                std::swprintf(code, 8, L"<%02X>", static_cast<unsigned>(c));
                line += code;
            } else {
                line += c;
            }
        }
    }
    line += L" :end";
    pubdirs::WriteLogLine(install, line);
    return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

// Loaded and unloaded once per action, like pubdirs.dll.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    support::TrackRuntimeThreadIndex(reason, reserved);
    return TRUE;
}

UINT __stdcall RecordShareData(MSIHANDLE install) {
    return Record(install, L"share");
}
UINT __stdcall RecordRollbackData(MSIHANDLE install) {
    return Record(install, L"rollback");
}
UINT __stdcall RecordRemovalData(MSIHANDLE install) {
    return Record(install, L"removal");
}

// A deferred action that fails, so that the installer rolls back what was scheduled before it.
UINT __stdcall FailInstallation(MSIHANDLE install) {
    pubdirs::WriteLogLine(install, L"share-data-probe fail");
    return ERROR_INSTALL_FAILURE;
}

}  // extern "C"
