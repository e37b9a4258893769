#include "service/service_session.h"

#include <atomic>
#include <utility>
#include <system_error>
#include <thread>

#include "jvm/application_calls.h"

namespace launcher {
namespace {

// Some vendors' JVMs end when the thread that created them detaches; the launcher then keeps
// the JVM alive after main (as the launcher thread does), and so must a stop thread.
bool KeepsJvmAlive(const LauncherSettings& settings) {
    return settings.acceptIbm && settings.preferIbm;
}

support::UniqueHandle Duplicate(HANDLE handle) {
    HANDLE copy = nullptr;
    if (handle == nullptr ||
        !::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, FALSE,
                           DUPLICATE_SAME_ACCESS)) {
        return {};
    }
    return support::UniqueHandle(copy);
}

support::UniqueHandle NewManualEvent() {
    return support::UniqueHandle(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

// The launcher signals its start event right before main is called. Single-instance
// coordination, its other user, is off in service mode, so the session normally makes the
// event and hands the launcher a copy; one that exists already is shared instead.
support::UniqueHandle MainEnteredEvent(Launcher& launcher) {
    if (launcher.singleInstance.startEvent) {
        return Duplicate(launcher.singleInstance.startEvent.get());
    }
    support::UniqueHandle event = NewManualEvent();
    launcher.singleInstance.startEvent = Duplicate(event.get());
    // Without the launcher's copy nobody would signal it: stop requests then go ahead at once.
    return launcher.singleInstance.startEvent ? std::move(event) : support::UniqueHandle();
}

}  // namespace

ServiceSession::ServiceSession(Launcher& launcher)
    : launcher_(launcher),
      mainClass_(launcher.settings.mainClass.begin(), launcher.settings.mainClass.end()),
      stayAttached_(KeepsJvmAlive(launcher.settings)),
      mainEntered_(MainEnteredEvent(launcher)),
      runEnded_(NewManualEvent()) {}

void ServiceSession::EndRun() {
    ::AcquireSRWLockExclusive(&runLock_);
    runFinished_ = true;
    ::ReleaseSRWLockExclusive(&runLock_);
    if (runEnded_) {
        ::SetEvent(runEnded_.get());
    }
}

bool ServiceSession::StartStopThread() {
    try {
        std::thread([session = shared_from_this()] { session->StopJavaApplication(); }).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

void ServiceSession::StopJavaApplication() {
    // A request that comes before main has been entered waits for it, so that it is not lost;
    // one that comes after the run has ended does nothing.
    if (mainEntered_ && runEnded_) {
        const HANDLE events[] = {runEnded_.get(), mainEntered_.get()};
        if (::WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
            return;
        }
    }
    ::AcquireSRWLockShared(&runLock_);
    if (!runFinished_) {
        // The launcher thread clears the pointer after destroying the JVM.
        JavaVM_* const vm = std::atomic_ref<JavaVM_*>(launcher_.javaVm).load();
        if (vm != nullptr) {
            jvm::StopApplication(vm, mainClass_, stayAttached_);
        }
    }
    ::ReleaseSRWLockShared(&runLock_);
}

void ServiceSession::JvmExited(int exitCode) {
    if (exitCode == 0) {
        status_.ReportStoppedAsIs();
    }
}

}  // namespace launcher
