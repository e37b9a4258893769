#pragma once
// One service run of the launcher: the status record, the JVM's exit notification, and the
// stop requests that reach the Java application on threads of their own.
#include <windows.h>

#include <memory>
#include <shared_mutex>
#include <string>

#include "jvm/run_hooks.h"
#include "jvm_start/live_jvm.h"
#include "service/service_status.h"
#include "settings/launcher_settings.h"
#include "support/slim_lock.h"
#include "support/unique_handle.h"

namespace launcher {

class ServiceSession final : public jvm::RunObserver,
                             public std::enable_shared_from_this<ServiceSession> {
  public:
    // Stop requests call the settings' main class in jvm, once main has been entered there.
    ServiceSession(const LauncherSettings& settings, std::shared_ptr<const LiveJvm> jvm);
    ServiceSession(const ServiceSession&) = delete;
    ServiceSession& operator=(const ServiceSession&) = delete;

    ServiceStatus& Status() { return status_; }

    // From the service entry, when the run has returned: later stop requests do nothing.
    void EndRun();

    // A stop or shutdown request: calls the application's stop on a new thread, which first
    // waits until main has been entered. False when no thread could be started.
    bool StartStopThread();

    // A JVM ending the process with code 0 is a stopped service; any other code is left for
    // the service control manager to see as the process ending unreported.
    void JvmExiting(jint code) override;
    void JvmAborting() override {}

  private:
    // Thread procedure (argument: a share of the session, which the thread then owns).
    static DWORD WINAPI StopThread(void* session);
    void StopJavaApplication();

    ServiceStatus status_;
    const std::shared_ptr<const LiveJvm> jvm_;
    const std::u16string mainClass_;
    const bool stayAttached_;
    support::UniqueHandle runEnded_;
    // Held shared while a stop thread works with the JVM, exclusively to end the run.
    support::SlimLock runLock_;
    bool runFinished_ = false;
};

}  // namespace launcher
