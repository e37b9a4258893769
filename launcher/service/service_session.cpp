#include "service/service_session.h"

#include <memory>
#include <mutex>

#include "jvm/application_calls.h"
#include "jvm_start/keeps_jvm_alive.h"
#include "jvm_start/wide_text.h"

namespace launcher {

ServiceSession::ServiceSession(const LauncherSettings& settings, std::shared_ptr<const LiveJvm> jvm)
    : jvm_(std::move(jvm)),
      mainClass_(ToU16(settings.mainClass)),
      stayAttached_(KeepsJvmAlive(settings)),
      runEnded_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

void ServiceSession::EndRun() {
    {
        const std::lock_guard guard(runLock_);
        runFinished_ = true;
    }
    if (runEnded_) {
        ::SetEvent(runEnded_.get());
    }
}

bool ServiceSession::StartStopThread() {
    // The thread owns a share of the session, so that the session outlives it.
    auto share = std::make_unique<std::shared_ptr<ServiceSession>>(shared_from_this());
    const support::UniqueHandle thread(
        ::CreateThread(nullptr, 0, StopThread, share.get(), 0, nullptr));
    if (!thread) {
        return false;
    }
    share.release();  // the thread owns it now
    return true;
}

DWORD WINAPI ServiceSession::StopThread(void* parameter) {
    const std::unique_ptr<std::shared_ptr<ServiceSession>> session(
        static_cast<std::shared_ptr<ServiceSession>*>(parameter));
    (*session)->StopJavaApplication();
    return 0;
}

void ServiceSession::StopJavaApplication() {
    // A request that comes before main has been entered waits for it, so that it is not lost;
    // one that comes after the run has ended does nothing.
    if (jvm_->MainEnteredEvent() != nullptr && runEnded_) {
        const HANDLE events[] = {runEnded_.get(), jvm_->MainEnteredEvent()};
        if (::WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
            return;
        }
    }
    const std::shared_lock guard(runLock_);
    if (runFinished_) {
        return;
    }
    // The run clears the pointer after destroying the JVM.
    if (JavaVM* const vm = jvm_->Vm(); vm != nullptr) {
        jvm::StopApplication(vm, mainClass_, stayAttached_);
    }
}

void ServiceSession::JvmExiting(jint code) {
    if (code == 0) {
        status_.ReportStoppedAsIs();
    }
}

}  // namespace launcher
