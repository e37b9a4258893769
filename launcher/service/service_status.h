#pragma once
// The one service status record of the process and its reports to the service control
// manager. The control handler, the service entry and the JVM's exit hook write it from
// different threads; each change and its report happen under one lock.
#include <windows.h>

#include <mutex>

#include "support/slim_lock.h"

namespace launcher {

class ServiceStatus {
  public:
    ServiceStatus();
    ServiceStatus(const ServiceStatus&) = delete;
    ServiceStatus& operator=(const ServiceStatus&) = delete;

    // RegisterServiceCtrlHandlerW with the empty name (own-process services ignore it).
    bool Register(LPHANDLER_FUNCTION handler);

    // Running, accepting stop and shutdown; there is no start-pending phase.
    bool ReportRunning();
    // Stop pending with a 3000 ms wait hint and exit code 0.
    bool ReportStopPending();
    // Stopped with the run's result as the exit code.
    void ReportStopped(DWORD exitCode);
    // Stopped, every other field as it was (the JVM is ending the process with code 0).
    void ReportStoppedAsIs();
    // The last report once more (interrogation and unknown controls).
    void ReportAgain();

  private:
    bool ReportLocked();

    support::SlimLock lock_;
    SERVICE_STATUS_HANDLE handle_ = nullptr;
    SERVICE_STATUS status_{};
};

}  // namespace launcher
