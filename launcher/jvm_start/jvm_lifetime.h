#pragma once
// Creating the JVM, calling main and, for a service, destroying the JVM: on the launcher
// thread, or on the entry thread when no thread of its own could be made.
#include <functional>
#include <optional>

#include "jvm/entry_points.h"
#include "jvm/jvm_creation.h"
#include "options/jvm_request.h"
#include "settings/launcher_settings.h"

namespace launcher {

// Creates the JVM with the request's options, then redirects its output. Nothing when it
// could not be created; the reason has been printed.
std::optional<jvm::Jvm> CreateJvm(const jvm::EntryPoints& entryPoints, const JvmRequest& request);

// Loads the main class and calls main with the arguments; beforeMain runs right before the
// call. With showExceptions, exceptions the program leaves are shown in dialogs. False when
// main could not be called.
bool InvokeMain(const jvm::Jvm& jvm, const jvm::EntryPoints& entryPoints,
                const LauncherSettings& settings, const std::vector<std::wstring>& arguments,
                bool showExceptions, const std::function<void()>& beforeMain);

// Ends the JVM after main has returned (service mode). DestroyJavaVM waits for the
// application's other threads; a stop request during that wait still reaches the application,
// whose stop method is there to end them.
void DestroyJvm(const jvm::Jvm& jvm);

}  // namespace launcher
