#pragma once
// The entry points of the jvm.dll that LoadJvmLibrary loaded. The library stays loaded for
// the life of the process, so they stay valid.
#include "jvm/entry_points.h"

namespace launcher {

// Empty (all null) until LoadJvmLibrary succeeded.
const jvm::EntryPoints& LoadedEntryPoints();

}  // namespace launcher
