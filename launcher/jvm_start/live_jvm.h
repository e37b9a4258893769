#pragma once
// The JVM of this run as the threads outside the run see it: a service's stop requests and the
// primary instance's hand-overs. The run sequence owns it and sets it; they share it, since
// they are not waited for.
#include <windows.h>

#include <atomic>

#include "support/unique_handle.h"

struct JavaVM_;

namespace launcher {

class LiveJvm {
  public:
    LiveJvm() : mainEntered_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

    // The created JVM; null before it exists and once it has been destroyed.
    JavaVM_* Vm() const { return vm_.load(); }
    void SetVm(JavaVM_* vm) { vm_.store(vm); }

    // Signalled right before main is called, and then for good. Null when no event could be
    // made: waiters then go ahead at once.
    HANDLE MainEnteredEvent() const { return mainEntered_.get(); }
    void MainEntered() const {
        if (mainEntered_) {
            ::SetEvent(mainEntered_.get());
        }
    }

  private:
    std::atomic<JavaVM_*> vm_{nullptr};
    support::UniqueHandle mainEntered_;
};

}  // namespace launcher
