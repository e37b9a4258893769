// The custom actions that the installer calls by name (see pubdirs.def). Nothing may leave
// them as an exception: the installer only understands the returned code.
#include "folder_scheduling.h"
#include "share_actions.h"
#include "support/runtime_thread_index.h"

namespace {

template <typename Action>
UINT Guarded(Action action, MSIHANDLE install) noexcept {
    try {
        return action(install);
    } catch (...) {
        return ERROR_INSTALL_FAILURE;
    }
}

}  // namespace

extern "C" {

// The installer loads and unloads this DLL once per action, many times in one process.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    support::TrackRuntimeThreadIndex(reason, reserved);
    return TRUE;
}

UINT __stdcall ProcessFolders(MSIHANDLE install) {
    return Guarded(pubdirs::ScheduleShareCreation, install);
}

UINT __stdcall UninstallPubDirs(MSIHANDLE install) {
    return Guarded(pubdirs::ScheduleShareRemoval, install);
}

UINT __stdcall AddPubDirs(MSIHANDLE install) {
    return Guarded(pubdirs::CreateScheduledShare, install);
}

UINT __stdcall RemovePubDirs(MSIHANDLE install) {
    return Guarded(pubdirs::RemoveScheduledShare, install);
}

}  // extern "C"
