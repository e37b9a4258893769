#pragma once
// Finding the main class and running its static main(String[]) on the thread that created the
// JVM.

#include "jvm/entry_points.h"
#include "jvm/jvm_creation.h"
#include "jvm/reporter.h"

#include <functional>
#include <string>
#include <vector>

namespace jvm {

struct MainRequest {
    std::u16string mainClass;  // "/" between package parts; dots are accepted too
    std::vector<std::u16string> arguments;
    // Build the stack-trace text of an exception that main leaves behind.
    bool failureCheck = false;
    // Never return after main: the process lives until Java ends it (some vendors' JVMs end
    // when the creating thread detaches).
    bool keepAlive = false;
    // Called right before main, when the class, the method and the arguments are ready.
    std::function<void()> beforeMain;
    // Receives the stack-trace text built under failureCheck.
    std::function<void(const std::u16string&)> exceptionText;
};

// True when main has run (even when it threw) and the thread has detached from the JVM.
// findClassFromBootLoader may be null: the class is then found with FindClass alone.
bool InvokeMain(const Jvm& jvm, FindClassFromBootLoaderFn findClassFromBootLoader,
                const MainRequest& request, Reporter& reporter);

}  // namespace jvm
