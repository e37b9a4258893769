#pragma once
// The class-data archive the launcher keeps for the application ("Class Data Archive"):
// where it lives, when it is made, used or replaced. The trace says what was decided and why.
#include <string>

#include "options/jvm_request.h"
#include "settings/launcher_settings.h"

namespace launcher {

// Adds the archive's options to the request, whose class path and VM parameters are
// assembled; adds nothing when the settings do not ask for an archive or none can be kept.
void AddClassArchive(const LauncherSettings& settings, const std::wstring& jvmLibraryPath,
                     JvmRequest& request);

// Whether the JVM makes a new archive, which it writes only when it ends.
bool ClassArchivePending();

// Moves the archive the JVM has written into place and removes the launcher's older ones.
// Called once the JVM has ended; the exit hook calls it by itself. Later calls do nothing.
void CompleteClassArchive();

}  // namespace launcher
