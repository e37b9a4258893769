#include "launcher.h"

#include <atomic>

#include "command_line.h"
#include "messages/error_box.h"
#include "runtime/pair_launch.h"
#include "settings/settings_paths.h"
#include "support/text_conversion.h"
#include "trace/startup_trace.h"

namespace launcher {
namespace {

std::atomic<Launcher*> currentLauncher{nullptr};

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
void TraceJvmRequest(const Launcher& launcher) {
    if (!trace::On()) {
        return;
    }
    for (const std::string& option : launcher.jvmOptions) {
        trace::Write(L"JVM option: ", support::AnsiToWide(option));
    }
    trace::Write(L"main class: ", launcher.settings.mainClass);
    for (std::size_t i = 0; i < launcher.arguments.size(); ++i) {
        trace::Write(L"argument ", i + 1, L": ", launcher.arguments[i]);
    }
}

int StartAndRun() {
    Launcher launcher;
    const LauncherRegistration registration(launcher);
    // A windowed start without standard output shows its error lines when it ends.
    const ErrorBoxAtEnd errorBox(launcher.settings.isService);
    ::SetThreadLocale(::GetSystemDefaultLCID());
    if (!Initialize(launcher)) {
        return -1;
    }
    if (launcher.settings.isService) {
        return RunServiceDispatcher(launcher);
    }
    return Run(launcher);
}

}  // namespace

Launcher* CurrentLauncher() {
    return currentLauncher.load();
}

LauncherRegistration::LauncherRegistration(Launcher& launcher) {
    currentLauncher = &launcher;
}

LauncherRegistration::~LauncherRegistration() {
    currentLauncher = nullptr;
}

int LauncherMain() {
    trace::Write(L"start: ", std::wstring_view(::GetCommandLineW()));
    const int exitCode = StartAndRun();
    trace::Write(L"exit code: ", exitCode);
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
    if (!SetUpSingleInstance(launcher)) {
        return false;
    }
    if (launcher.singleInstance.isSecondary) {
        return true;
    }
    if (launcher.settings.overrideWorkingDir) {
        ChangeToProgramFolder();
    }
    return FindRuntime(launcher);
}

int Run(Launcher& launcher) {
    if (launcher.is64BitRuntime) {
        // Else later starts would hand their arguments to this process, which runs no main.
        LeaveSingleInstance(launcher);
        return HandOverToPairLauncher(launcher);
    }
    if (launcher.singleInstance.isSecondary) {
        return WaitForPrimaryInstance(launcher);
    }
    {
        const trace::Phase phase(L"jvm.dll loading");
        PrepareEnvironment(launcher);
        if (!LoadJvmLibrary(launcher)) {
            trace::Write(L"jvm.dll could not be loaded");
            return -1;
        }
    }
    {
        const trace::Phase phase(L"options");
        // A missing class path has been reported; the JVM still starts with what there is.
        AssembleOptions(launcher);
    }
    TraceJvmRequest(launcher);
    if (launcher.threadStackSize == 0) {
        launcher.threadStackSize = DefaultJavaStackSize();
    }

    const support::UniqueHandle thread(
        ::CreateThread(nullptr, launcher.threadStackSize, LauncherThread, &launcher, 0, nullptr));
    if (thread) {
        DWORD exitCode = 1;
        ::WaitForSingleObject(thread.get(), INFINITE);
        if (!::GetExitCodeThread(thread.get(), &exitCode)) {
            return -1;
        }
        return exitCode == 0 ? 0 : -1;
    }
    // Without a thread of its own the JVM runs on this one.
    if (!CreateJvm(launcher) || !InvokeMain(launcher)) {
        return -1;
    }
    if (launcher.settings.isService) {
        DestroyJvm(launcher);
    }
    return 0;
}

DWORD WINAPI LauncherThread(void* parameter) {
    Launcher& launcher = *static_cast<Launcher*>(parameter);
    if (!CreateJvm(launcher) || !InvokeMain(launcher)) {
        return 1;
    }
    if (launcher.settings.isService && launcher.javaVm != nullptr) {
        DestroyJvm(launcher);
    }
    return 0;
}

}  // namespace launcher
