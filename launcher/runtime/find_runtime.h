#pragma once
// The chain of places where the runtime is looked for.
#include <optional>
#include <string>

#include "runtime/runtime_choice.h"
#include "runtime/runtime_not_found_dialog.h"
#include "settings/launcher_settings.h"

namespace launcher {

// "JRE Path", the program's folder and its jre\, the registry (the 64-bit view only with
// "Pair Product"), JAVA_HOME, the OpenJDK registrations, then the user. Nothing when none
// yields a runtime; every source has printed its own error line.
std::optional<RuntimeChoice> FindRuntime(const LauncherSettings& settings);

// The same for a program at programPath, asking the user through askUser.
std::optional<RuntimeChoice> FindRuntimeForProgram(const LauncherSettings& settings,
                                                   const std::wstring& programPath,
                                                   RuntimeQuestion askUser);

}  // namespace launcher
