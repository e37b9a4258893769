#pragma once
#include <string>

#include "settings/launcher_settings.h"

namespace launcher {

// True when "Pair Product" is set and jvmLibrary is not an i386 image (this 32-bit process
// could not load it). Always false in the 64-bit build, which is the pair.
bool RunsInPairLauncher(const LauncherSettings& settings, const std::wstring& jvmLibrary);

}  // namespace launcher
