#pragma once
// The "exit" and "abort" hooks handed to the JVM, and the observer they forward to.
// The JVM calls them on its own threads; the observer is process-wide because the hooks
// carry no context.

#include <jni.h>

namespace jvm {

class RunObserver {
  public:
    // The JVM is about to end the process with this code (System.exit and the like).
    virtual void JvmExiting(jint code) = 0;
    // The JVM is aborting.
    virtual void JvmAborting() = 0;

  protected:
    ~RunObserver() = default;
};

// Registers the observer (null removes it). It must outlive the JVM.
void SetRunObserver(RunObserver* observer);

// Work for the exit hook that must follow what the JVM does at its end (null removes it);
// it runs before the observer hears of the exit.
void SetExitWork(void (*work)());

void JNICALL ExitHook(jint code);
void JNICALL AbortHook();

}  // namespace jvm
