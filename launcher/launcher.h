#pragma once
// The run sequence: the only place that knows the order of the launcher's stages, from the
// command line to the Java main method.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "jvm_start/live_jvm.h"
#include "runtime/runtime_choice.h"
#include "settings/launcher_settings.h"
#include "single_instance/single_instance.h"

namespace launcher {

// What start-up found, for the run. One exists per process.
struct Launcher {
    LauncherSettings settings;
    // The command line's arguments for the Java main method.
    std::vector<std::wstring> arguments;
    RuntimeChoice runtime;
    // Shared with the threads that attach to the JVM from outside the run.
    std::shared_ptr<LiveJvm> jvm = std::make_shared<LiveJvm>();
    SingleInstance singleInstance;
};

// The program: start-up, then the run or the service dispatcher. Returns the exit code.
int LauncherMain();

// Start-up: arguments, settings, single instance, working folder, runtime search.
bool Initialize(Launcher& launcher);

// A run; returns the exit code.
int Run(Launcher& launcher);

// Thread procedure (argument: the run's LauncherThreadWork): creates the JVM and calls main;
// exit code 0 or 1.
DWORD WINAPI LauncherThread(void* work);

}  // namespace launcher
