#pragma once
// Calls into the running Java application from threads of the launcher's own: handing a
// later start's arguments to secondaryMain, and asking the application to stop.

#include <jni.h>

#include <functional>
#include <string>
#include <vector>

namespace jvm {

struct SecondaryStart {
    std::u16string mainClass;  // internal form, "/" between package parts
    std::vector<std::u16string> arguments;
    // Answers the waiting start with its exit code: 0 before a void secondaryMain runs, the
    // returned value after an int secondaryMain.
    std::function<void(jint)> answer;
    // The thread stays attached (the launcher keeps the JVM alive after main).
    bool stayAttached = false;
};

// Attaches the calling thread, calls the main class's static secondaryMain(String[]), void
// form first, else the int form. False when the thread cannot attach, the class or method is
// missing, the arguments cannot be built (no answer is given then), or secondaryMain threw.
bool DeliverToSecondaryMain(JavaVM* vm, const SecondaryStart& start);

// Attaches the calling thread and calls the main class's static stop(); without one, ends the
// JVM through System.exit(0). Exceptions on the way are described.
void StopApplication(JavaVM* vm, const std::u16string& mainClass, bool stayAttached);

// Attaches the calling thread and ends the JVM through System.exit(code): shutdown hooks run
// and output files are flushed. Returns only when that fails.
void ExitJvm(JavaVM* vm, jint code);

// Attaches the calling thread and ends the JVM and the process with code through
// Runtime.halt: no shutdown hook runs, as when the process simply ends, but the JVM finishes
// what it does at its end (a class-data archive). Returns only when that fails.
void HaltJvm(JavaVM* vm, jint code);

}  // namespace jvm
