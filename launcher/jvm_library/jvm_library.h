#pragma once
// Loading the chosen jvm.dll. The library stays loaded for the life of the process, so its
// entry points stay valid.
#include <cstdint>
#include <optional>
#include <string>

#include "jvm/entry_points.h"

namespace launcher {

// Loads the library and resolves its entry points; nothing when that fails (reported).
std::optional<jvm::EntryPoints> LoadJvmLibrary(const std::wstring& jvmLibraryPath);

// The Java stack size that the loaded JVM reports for a JDK 1.1 argument block, 0 when
// below 1.
std::uint32_t DefaultJavaStackSize(const jvm::EntryPoints& entryPoints);

}  // namespace launcher
