// Service mode: the entry thread runs the service control dispatcher; the service entry runs
// the launcher's run step and reports the service states; stop and shutdown requests reach
// the Java application's stop method.
#include <windows.h>

#include <atomic>
#include <memory>
#include <span>

#include "launcher.h"
#include "service/service_arguments.h"
#include "service/service_session.h"
#include "settings/settings_paths.h"

namespace launcher {
namespace {

// The dispatcher's callbacks carry no context: the session of this process, set while the
// dispatcher runs.
std::atomic<ServiceSession*> currentSession{nullptr};

void WINAPI ServiceControlHandler(DWORD control) {
    ServiceSession* session = currentSession.load();
    if (session == nullptr) {
        return;
    }
    if (control == SERVICE_CONTROL_STOP || control == SERVICE_CONTROL_SHUTDOWN) {
        // Without the stop-pending report the manager does not know the stop is under way.
        if (session->Status().ReportStopPending()) {
            session->StartStopThread();
        }
        return;
    }
    session->Status().ReportAgain();
}

void WINAPI ServiceMain(DWORD argumentCount, LPWSTR* arguments) {
    ServiceSession* session = currentSession.load();
    if (session == nullptr || !session->Status().Register(ServiceControlHandler)) {
        return;
    }
    if (!session->Status().ReportRunning()) {
        return;
    }
    Launcher& launcher = session->Owner();
    const std::span<const wchar_t* const> received(arguments,
                                                   arguments != nullptr ? argumentCount : 0);
    AppendServiceArguments(launcher.arguments, received, launcher.settings.omitServiceName);
    const int result = Run(launcher);
    session->EndRun();
    session->Status().ReportStopped(static_cast<DWORD>(result));
}

}  // namespace

int RunServiceDispatcher(Launcher& launcher) {
    if (!ModulePath()) {
        return -1;  // text 208 has been printed
    }
    const auto session = std::make_shared<ServiceSession>(launcher);
    launcher.runObserver = session.get();
    currentSession = session.get();

    wchar_t emptyName[] = L"";
    const SERVICE_TABLE_ENTRYW table[] = {{emptyName, ServiceMain}, {nullptr, nullptr}};
    const bool dispatched = ::StartServiceCtrlDispatcherW(table) != FALSE;
    const DWORD error = dispatched ? 0 : ::GetLastError();

    currentSession = nullptr;
    launcher.runObserver = nullptr;
    return static_cast<int>(error);
}

}  // namespace launcher
