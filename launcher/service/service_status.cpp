#include "service/service_status.h"

#include <mutex>

namespace launcher {
namespace {

constexpr DWORD kStopWaitHintMs = 3000;

}  // namespace

ServiceStatus::ServiceStatus() {
    status_.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status_.dwControlsAccepted = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN;
}

bool ServiceStatus::Register(LPHANDLER_FUNCTION handler) {
    const std::lock_guard guard(lock_);
    handle_ = ::RegisterServiceCtrlHandlerW(L"", handler);
    return handle_ != nullptr;
}

bool ServiceStatus::ReportRunning() {
    const std::lock_guard guard(lock_);
    status_.dwCurrentState = SERVICE_RUNNING;
    status_.dwWin32ExitCode = 0;
    status_.dwServiceSpecificExitCode = 0;
    status_.dwCheckPoint = 0;
    status_.dwWaitHint = 0;
    return ReportLocked();
}

bool ServiceStatus::ReportStopPending() {
    const std::lock_guard guard(lock_);
    status_.dwWin32ExitCode = 0;
    status_.dwCurrentState = SERVICE_STOP_PENDING;
    status_.dwCheckPoint = 0;
    status_.dwWaitHint = kStopWaitHintMs;
    return ReportLocked();
}

void ServiceStatus::ReportStopped(DWORD exitCode) {
    const std::lock_guard guard(lock_);
    status_.dwWin32ExitCode = exitCode;
    status_.dwCurrentState = SERVICE_STOPPED;
    ReportLocked();
}

void ServiceStatus::ReportStoppedAsIs() {
    const std::lock_guard guard(lock_);
    status_.dwCurrentState = SERVICE_STOPPED;
    ReportLocked();
}

void ServiceStatus::ReportAgain() {
    const std::lock_guard guard(lock_);
    ReportLocked();
}

bool ServiceStatus::ReportLocked() {
    return handle_ != nullptr && ::SetServiceStatus(handle_, &status_) != FALSE;
}

}  // namespace launcher
