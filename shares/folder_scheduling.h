#pragma once
// The immediate actions: read TS_SharedFolders and schedule one deferred action per row whose
// component changes, handing each its data through the property named like the action.
#include <windows.h>
#include <msi.h>

namespace pubdirs {

// Install sequence: TS_RollbackSHFolders, then TS_PubDirs, for every row whose component is
// being installed locally. 0, ERROR_INSTALL_USEREXIT or ERROR_INSTALL_FAILURE.
UINT ScheduleShareCreation(MSIHANDLE install);

// Uninstall sequence: TS_RemoveSHFolders for every row whose component is being removed.
UINT ScheduleShareRemoval(MSIHANDLE install);

}  // namespace pubdirs
