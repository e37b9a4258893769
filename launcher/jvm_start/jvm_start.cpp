// Creating the JVM and calling main, on the launcher thread (or, when no thread of its own
// could be made, on the entry thread).
#include <jni.h>

#include <atomic>

#include "jvm/jvm_start.h"
#include "jvm/main_invocation.h"
#include "jvm/run_hooks.h"
#include "jvm_library/jvm_library.h"
#include "jvm_start/catalogue_reporter.h"
#include "jvm_start/keeps_jvm_alive.h"
#include "jvm_start/output_files.h"
#include "jvm_start/wide_text.h"
#include "launcher.h"
#include "trace/startup_trace.h"

namespace launcher {
namespace {

// Hands the JVM's exit and abort hooks to the launcher's run observer. The hooks carry no
// context and may come on any JVM thread, so the launcher is found through its registration.
class ObserverBridge final : public jvm::RunObserver {
  public:
    void JvmExiting(jint code) override {
        if (Launcher* launcher = CurrentLauncher();
            launcher != nullptr && launcher->runObserver != nullptr) {
            launcher->runObserver->JvmExited(static_cast<int>(code));
        }
    }
    void JvmAborting() override {
        if (Launcher* launcher = CurrentLauncher();
            launcher != nullptr && launcher->runObserver != nullptr) {
            launcher->runObserver->JvmAborted();
        }
    }
};

ObserverBridge observerBridge;

}  // namespace

bool CreateJvm(Launcher& launcher) {
    const jvm::EntryPoints& entryPoints = LoadedEntryPoints();
    if (entryPoints.createJavaVm == nullptr) {
        return false;
    }
    if (launcher.runObserver != nullptr) {
        jvm::SetRunObserver(&observerBridge);
    }
    const trace::Phase phase(L"JVM creation");
    CatalogueReporter reporter;
    jvm::Jvm created;
    if (!jvm::CreateJvm(entryPoints.createJavaVm, launcher.jvmOptions, reporter, created)) {
        return false;
    }
    trace::Write(L"JVM created");
    // A service's stop thread reads the pointer while this thread may write it.
    std::atomic_ref<JavaVM*>(launcher.javaVm).store(created.vm);
    launcher.env = created.env;
    RedirectOutputFiles(launcher);
    return true;
}

bool InvokeMain(Launcher& launcher) {
    if (launcher.javaVm == nullptr || launcher.env == nullptr) {
        return false;
    }
    jvm::MainRequest request;
    request.mainClass = ToU16(launcher.settings.mainClass);
    request.arguments.reserve(launcher.arguments.size());
    for (const std::wstring& argument : launcher.arguments) {
        request.arguments.push_back(ToU16(argument));
    }
    request.failureCheck = launcher.settings.failureCheck;
    request.keepAlive = KeepsJvmAlive(launcher.settings);
    // From here on the primary instance accepts hand-overs of later starts.
    if (launcher.singleInstance.startEvent) {
        HANDLE startEvent = launcher.singleInstance.startEvent.get();
        request.beforeMain = [startEvent] { ::SetEvent(startEvent); };
    }
    // The exception text is built and dropped: no step shows it.
    const trace::Phase phase(L"main");
    CatalogueReporter reporter;
    const bool returned =
        jvm::InvokeMain({launcher.javaVm, launcher.env},
                        LoadedEntryPoints().findClassFromBootLoader, request, reporter);
    trace::Write(std::wstring_view(returned ? L"main returned" : L"main failed"));
    return returned;
}

void DestroyJvm(Launcher& launcher) {
    // A stop request during DestroyJavaVM still reaches the application: DestroyJavaVM waits
    // for the application's other threads, which its stop method is there to end.
    if (launcher.javaVm != nullptr) {
        launcher.javaVm->DestroyJavaVM();
    }
    std::atomic_ref<JavaVM*>(launcher.javaVm).store(nullptr);
    launcher.env = nullptr;
}

}  // namespace launcher
