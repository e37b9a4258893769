// Service mode: the entry thread runs the service control dispatcher; the service entry runs
// the run it was given and reports the service states; stop and shutdown requests reach the
// Java application's stop method.
#include "service/service_dispatcher.h"

#include <windows.h>

#include <atomic>
#include <span>

#include "service/service_arguments.h"
#include "service/service_session.h"
#include "settings/settings_paths.h"

namespace launcher {
namespace {

// The dispatcher's callbacks carry no context: the session of this process and its run, set
// while the dispatcher runs.
std::atomic<ServiceSession*> currentSession{nullptr};
const ServiceRun* currentRun = nullptr;
bool omitServiceName = false;

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
    const std::span<const wchar_t* const> received(arguments,
                                                   arguments != nullptr ? argumentCount : 0);
    std::vector<std::wstring> serviceArguments;
    AppendServiceArguments(serviceArguments, received, omitServiceName);
    const int result = (*currentRun)(std::move(serviceArguments));
    session->EndRun();
    session->Status().ReportStopped(static_cast<DWORD>(result));
}

}  // namespace

int RunServiceDispatcher(const LauncherSettings& settings, std::shared_ptr<const LiveJvm> jvm,
                         ServiceRun run) {
    if (!ModulePath()) {
        return -1;  // text 208 has been printed
    }
    const auto session = std::make_shared<ServiceSession>(settings, std::move(jvm));
    jvm::SetRunObserver(session.get());
    currentRun = &run;
    omitServiceName = settings.omitServiceName;
    currentSession = session.get();

    wchar_t emptyName[] = L"";
    const SERVICE_TABLE_ENTRYW table[] = {{emptyName, ServiceMain}, {nullptr, nullptr}};
    const bool dispatched = ::StartServiceCtrlDispatcherW(table) != FALSE;
    const DWORD error = dispatched ? 0 : ::GetLastError();

    currentSession = nullptr;
    currentRun = nullptr;
    jvm::SetRunObserver(nullptr);
    return static_cast<int>(error);
}

}  // namespace launcher
