#pragma once
// Hands the run to the 64-bit pair launcher when the chosen runtime is a 64-bit one.
#include "settings/launcher_settings.h"

namespace launcher {

// Starts "Pair Product" with this process's whole command line. With "Pair Return Code"
// the result is the pair's exit code, otherwise 0 once it has started. A pair launcher
// that cannot be started is reported (text 240 inside 202) and gives -1 either way.
int HandOverToPairLauncher(const LauncherSettings& settings);

}  // namespace launcher
