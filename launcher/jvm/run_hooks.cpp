#include "jvm/run_hooks.h"

#include <atomic>

namespace jvm {

namespace {

// Set on the entry thread before the JVM exists, read on JVM threads.
std::atomic<RunObserver*> registeredObserver{nullptr};
std::atomic<void (*)()> registeredExitWork{nullptr};

}  // namespace

void SetRunObserver(RunObserver* observer) {
    registeredObserver.store(observer);
}

void SetExitWork(void (*work)()) {
    registeredExitWork.store(work);
}

void JNICALL ExitHook(jint code) {
    if (void (*work)() = registeredExitWork.load()) {
        work();
    }
    if (RunObserver* observer = registeredObserver.load()) {
        observer->JvmExiting(code);
    }
}

void JNICALL AbortHook() {
    if (RunObserver* observer = registeredObserver.load()) {
        observer->JvmAborting();
    }
}

}  // namespace jvm
