#pragma once
// Some vendors' JVMs end when the thread that created them detaches; with such a runtime the
// process has to stay until the Java program ends it, and no thread of the launcher's own
// detaches either.
#include "settings/launcher_settings.h"

namespace launcher {

inline bool KeepsJvmAlive(const LauncherSettings& settings) {
    return settings.acceptIbm && settings.preferIbm;
}

}  // namespace launcher
