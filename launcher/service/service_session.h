#pragma once
// One service run of the launcher: the status record, the JVM's exit notification, and the
// stop requests that reach the Java application on threads of their own.
#include <windows.h>

#include <memory>
#include <string>

#include "launcher.h"
#include "service/service_status.h"
#include "support/unique_handle.h"

namespace launcher {

class ServiceSession final : public RunObserver,
                             public std::enable_shared_from_this<ServiceSession> {
  public:
    // Keeps the launcher until the run has ended; makes the event that the launcher signals
    // right before main is called.
    explicit ServiceSession(Launcher& launcher);
    ServiceSession(const ServiceSession&) = delete;
    ServiceSession& operator=(const ServiceSession&) = delete;

    ServiceStatus& Status() { return status_; }
    Launcher& Owner() { return launcher_; }

    // From the service entry, when the run step has returned: later stop requests do nothing.
    void EndRun();

    // A stop or shutdown request: calls the application's stop on a new thread, which first
    // waits until main has been entered. False when no thread could be started.
    bool StartStopThread();

    // RunObserver: a JVM ending the process with code 0 is a stopped service; any other code
    // is left for the service control manager to see as the process ending unreported.
    void JvmExited(int exitCode) override;
    void JvmAborted() override {}

  private:
    void StopJavaApplication();

    Launcher& launcher_;
    ServiceStatus status_;
    const std::u16string mainClass_;
    const bool stayAttached_;
    support::UniqueHandle mainEntered_;
    support::UniqueHandle runEnded_;
    // Held shared while a stop thread works with the launcher's JVM, exclusively to end the
    // run, so that the launcher outlives every stop in progress.
    SRWLOCK runLock_ = SRWLOCK_INIT;
    bool runFinished_ = false;
};

}  // namespace launcher
