#pragma once
// Runtimes of current OpenJDK builds, found where their installers register them.
#include <optional>
#include <string>
#include <vector>

#include "runtime/candidate_order.h"
#include "runtime/jvm_library_probe.h"
#include "runtime/runtime_choice.h"
#include "settings/launcher_settings.h"
#include "support/registry_key.h"

namespace launcher {

// These builds ship the server VM only: "JVM Type" any takes it when a runtime has no
// other flavour. server and favor_server apply as for every runtime.
JvmLibrary FindOpenJdkLibrary(const std::wstring& home, int jvmType);

// Every registered build of one view that the settings admit (kind, version bounds, a
// jvm.dll this process or its pair can load), in registration and subkey order.
std::vector<RuntimeCandidate> CollectOpenJdkRuntimes(const LauncherSettings& settings,
                                                     support::RegistryView view);

// The build to use, ordered and chosen as the vendors' registry rows are; the default view
// first, the 64-bit view only with "Pair Product". Nothing when the source is off or finds
// nothing.
std::optional<RuntimeChoice> SearchOpenJdkRegistrations(const LauncherSettings& settings);

}  // namespace launcher
