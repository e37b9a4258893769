#pragma once
// The deferred actions: they see nothing of the installation but their "CustomActionData".
#include <windows.h>
#include <msi.h>

namespace pubdirs {

// TS_PubDirs: one share from share action data.
UINT CreateScheduledShare(MSIHANDLE install);

// TS_RemoveSHFolders and TS_RollbackSHFolders: undo one counted share.
UINT RemoveScheduledShare(MSIHANDLE install);

}  // namespace pubdirs
