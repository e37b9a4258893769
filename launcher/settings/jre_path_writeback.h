#pragma once
// Remembers the runtime folder that the user picked, as "JRE Path".
#include <string>

#include "settings/launcher_settings.h"

namespace launcher {

// folder ends with "\". A service writes into its settings file beside the program (and
// the pair launcher's); an application into the per-user files, whose folders are made.
// Write failures are not reported: the next start simply asks again.
void WriteBackJrePath(const LauncherSettings& settings, const std::wstring& programPath,
                      const std::wstring& folder);

// The same for this program.
void WriteBackJrePath(const LauncherSettings& settings, const std::wstring& folder);

}  // namespace launcher
