#pragma once
// Service mode: the entry thread runs the service control dispatcher.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "jvm_start/live_jvm.h"
#include "settings/launcher_settings.h"

namespace launcher {

// The application's run, given the arguments that the service start adds; its exit code.
using ServiceRun = std::function<int(std::vector<std::wstring> serviceArguments)>;

// Runs the dispatcher. The service entry reports the states around run; stop and shutdown
// requests reach the application's stop method in jvm. Returns the process exit code.
int RunServiceDispatcher(const LauncherSettings& settings, std::shared_ptr<const LiveJvm> jvm,
                         ServiceRun run);

}  // namespace launcher
