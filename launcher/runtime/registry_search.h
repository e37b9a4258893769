#pragma once
// Runtimes registered by the Java vendors below HKEY_LOCAL_MACHINE.
#include <optional>
#include <string>
#include <vector>

#include "runtime/candidate_order.h"
#include "settings/launcher_settings.h"
#include "support/registry_key.h"

namespace launcher {

// Every registered runtime of one registry view that the settings admit (source, version
// bounds, a usable jvm.dll), in the order the sources and their subkeys are listed.
std::vector<RuntimeCandidate> CollectRegistryRuntimes(const LauncherSettings& settings,
                                                      support::RegistryView view);

// The home of the runtime to use from one view (Default or Bits64), ordered and chosen by
// the settings; nothing when the view has none.
std::optional<std::wstring> SearchRegistry(const LauncherSettings& settings,
                                           support::RegistryView view);

}  // namespace launcher
