#pragma once
// The chain of places where the runtime is looked for.
#include <string>

#include "launcher.h"

namespace launcher {

// FindRuntime for a program at programPath: "JRE Path", the program's folder and its jre\,
// the registry (the 64-bit view only with "Pair Product"), JAVA_HOME, then the user.
bool FindRuntimeForProgram(Launcher& launcher, const std::wstring& programPath);

}  // namespace launcher
