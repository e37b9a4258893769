#include "launcher.h"

#include "class_archive/class_archive.h"
#include "command_line.h"
#include "jvm/application_calls.h"
#include "jvm_library/jvm_library.h"
#include "jvm_start/exception_dialogs.h"
#include "jvm_start/jvm_lifetime.h"
#include "messages/error_box.h"
#include "options/jvm_options.h"
#include "runtime/find_runtime.h"
#include "runtime/pair_launch.h"
#include "service/service_dispatcher.h"
#include "settings/settings_paths.h"
#include "support/text_conversion.h"
#include "trace/startup_trace.h"

namespace launcher {

// What the launcher thread works with.
struct LauncherThreadWork {
    Launcher& launcher;
    const jvm::EntryPoints& entryPoints;
    const JvmRequest& request;
};

namespace {

// The program folder becomes the current directory ("Override WorkingDir").
void ChangeToProgramFolder() {
    const std::optional<std::wstring> program = ModulePath();
    if (!program) {
        return;
    }
    const size_t slash = program->rfind(L'\\');
    if (slash == std::wstring::npos || slash == 0) {
        return;
    }
    ::SetCurrentDirectoryW(program->substr(0, slash).c_str());
}

// What the JVM is started with, for the trace.
void TraceJvmRequest(const LauncherSettings& settings, const JvmRequest& request) {
    if (!trace::On()) {
        return;
    }
    for (const std::string& option : request.options) {
        trace::Write(L"JVM option: ", support::AnsiToWide(option));
    }
    trace::Write(L"main class: ", settings.mainClass);
    for (std::size_t i = 0; i < request.arguments.size(); ++i) {
        trace::Write(L"argument ", i + 1, L": ", request.arguments[i]);
    }
}

// The environment, the library and the request; nothing when jvm.dll cannot be loaded.
std::optional<jvm::EntryPoints> PrepareJvm(const Launcher& launcher, JvmRequest& request) {
    std::optional<jvm::EntryPoints> entryPoints;
    {
        const trace::Phase phase(L"jvm.dll loading");
        request.options = PrepareEnvironment(launcher.settings, launcher.runtime.jvmLibraryPath);
        entryPoints = LoadJvmLibrary(launcher.runtime.jvmLibraryPath);
        if (!entryPoints) {
            trace::Write(L"jvm.dll could not be loaded");
            return std::nullopt;
        }
    }
    {
        const trace::Phase phase(L"options");
        request.arguments = launcher.arguments;
        // A missing class path has been reported; the JVM still starts with what there is.
        AssembleOptions(request);
    }
    AddClassArchive(launcher.settings, launcher.runtime.jvmLibraryPath, request);
    TraceJvmRequest(launcher.settings, request);
    if (request.threadStackSize == 0) {
        request.threadStackSize = DefaultJavaStackSize(*entryPoints);
    }
    return entryPoints;
}

// Creates the JVM and calls main; a service's JVM is destroyed when main has returned.
bool CreateJvmAndCallMain(const LauncherThreadWork& work) {
    Launcher& launcher = work.launcher;
    const std::optional<jvm::Jvm> jvm = CreateJvm(work.entryPoints, work.request);
    if (!jvm) {
        return false;
    }
    launcher.jvm->SetVm(jvm->vm);
    const auto beforeMain = [&launcher] {
        launcher.singleInstance.MainEntered();
        launcher.jvm->MainEntered();
    };
    const bool showExceptions = ExceptionDialogsOffered(launcher.settings, work.request.output);
    if (!InvokeMain(*jvm, work.entryPoints, launcher.settings, work.request.arguments,
                    showExceptions, beforeMain)) {
        return false;
    }
    if (launcher.settings.isService) {
        DestroyJvm(*jvm);
        launcher.jvm->SetVm(nullptr);
        CompleteClassArchive();
    }
    return true;
}

int StartAndRun(Launcher& launcher) {
    // A windowed start without standard output shows its error lines when it ends.
    const ErrorBoxAtEnd errorBox(launcher.settings.isService);
    ::SetThreadLocale(::GetSystemDefaultLCID());
    if (!Initialize(launcher)) {
        return -1;
    }
    if (!launcher.settings.isService) {
        return Run(launcher);
    }
    return RunServiceDispatcher(
        launcher.settings, launcher.jvm, [&launcher](std::vector<std::wstring> serviceArguments) {
            launcher.arguments.insert(launcher.arguments.end(),
                                      std::make_move_iterator(serviceArguments.begin()),
                                      std::make_move_iterator(serviceArguments.end()));
            return Run(launcher);
        });
}

}  // namespace

int LauncherMain() {
    trace::Write(L"start: ", std::wstring_view(::GetCommandLineW()));
    Launcher launcher;
    const int exitCode = StartAndRun(launcher);
    trace::Write(L"exit code: ", exitCode);
    // The JVM writes a new class-data archive when it ends, which the process's end skips;
    // halting it ends the process with the same code.
    if (JavaVM* vm = launcher.jvm->Vm(); vm != nullptr && ClassArchivePending()) {
        jvm::HaltJvm(vm, exitCode);
    }
    return exitCode;
}

bool Initialize(Launcher& launcher) {
    launcher.arguments = ArgumentsFromCommandLine(::GetCommandLineW());
    {
        const trace::Phase phase(L"settings");
        if (!LoadLauncherSettings(launcher.settings)) {
            return false;
        }
    }
    if (!launcher.singleInstance.SetUp(launcher.settings, launcher.arguments, launcher.jvm)) {
        return false;
    }
    if (launcher.singleInstance.IsSecondary()) {
        return true;
    }
    if (launcher.settings.overrideWorkingDir) {
        ChangeToProgramFolder();
    }
    std::optional<RuntimeChoice> runtime = FindRuntime(launcher.settings);
    if (!runtime) {
        return false;
    }
    launcher.runtime = std::move(*runtime);
    return true;
}

int Run(Launcher& launcher) {
    if (launcher.runtime.is64Bit) {
        // Else later starts would hand their arguments to this process, which runs no main.
        launcher.singleInstance.Leave();
        return HandOverToPairLauncher(launcher.settings);
    }
    if (launcher.singleInstance.IsSecondary()) {
        return launcher.singleInstance.WaitForPrimary();
    }
    JvmRequest request;
    const std::optional<jvm::EntryPoints> entryPoints = PrepareJvm(launcher, request);
    if (!entryPoints) {
        return -1;
    }
    LauncherThreadWork work{launcher, *entryPoints, request};
    const support::UniqueHandle thread(
        ::CreateThread(nullptr, request.threadStackSize, LauncherThread, &work, 0, nullptr));
    if (thread) {
        DWORD exitCode = 1;
        ::WaitForSingleObject(thread.get(), INFINITE);
        if (!::GetExitCodeThread(thread.get(), &exitCode)) {
            return -1;
        }
        return exitCode == 0 ? 0 : -1;
    }
    // Without a thread of its own the JVM runs on this one.
    return CreateJvmAndCallMain(work) ? 0 : -1;
}

DWORD WINAPI LauncherThread(void* parameter) {
    return CreateJvmAndCallMain(*static_cast<const LauncherThreadWork*>(parameter)) ? 0 : 1;
}

}  // namespace launcher
