#pragma once
// The state of one launcher run and the steps that carry it from the command line to the
// Java main method. One Launcher exists per process.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "settings/launcher_settings.h"
#include "support/unique_handle.h"

// The JNI types, declared as jni.h declares them, so that this header does not need it.
struct JavaVM_;
struct JNIEnv_;

namespace launcher {

// Receives the JVM's exit and abort notifications; registered only in service mode.
class RunObserver {
  public:
    virtual ~RunObserver() = default;
    virtual void JvmExited(int exitCode) = 0;
    virtual void JvmAborted() = 0;
};

class PrimaryInstance;

// Single-instance coordination between processes started from the same launcher file.
struct SingleInstanceState {
    bool enabled = false;    // "Single Instance" is on and the shared block is mapped
    bool isPrimary = false;  // this process created the shared block
    // This process has handed its arguments to the primary and only waits for its answer.
    bool isSecondary = false;
    DWORD primaryProcessId = 0;
    UINT messageId = 0;  // the registered notification message
    support::UniqueHandle mapping;
    support::UniqueView view;
    // Set right before main is called; until then no hand-over is delivered.
    support::UniqueHandle startEvent;
    // The primary's message thread and what its workers share. Declared last, so that the
    // thread stops before the block is unmapped. Shared because its type is known only to the
    // single-instance component.
    std::shared_ptr<PrimaryInstance> primary;
};

struct Launcher {
    LauncherSettings settings;

    // Arguments for the Java main method: the command line, then the "Cmd" tokens.
    std::vector<std::wstring> arguments;
    // JVM options in the thread's ANSI code page, in the order they were added.
    std::vector<std::string> jvmOptions;

    // Full path of the chosen jvm.dll; empty until the runtime search found one.
    std::wstring jvmLibraryPath;
    // The chosen runtime must run in the 64-bit pair launcher.
    bool is64BitRuntime = false;
    // Stack of the launcher thread in bytes: from "-Xss", else the JVM's default; 0 none.
    std::uint32_t threadStackSize = 0;

    // Redirection of the Java program's System.out and System.err ("Output File" etc.).
    std::wstring outputFile;
    bool outputAppend = false;
    std::wstring errorFile;
    bool errorAppend = false;

    // The created JVM; null until it exists.
    JavaVM_* javaVm = nullptr;
    JNIEnv_* env = nullptr;

    SingleInstanceState singleInstance;

    // Service mode only; not owned.
    RunObserver* runObserver = nullptr;
};

// The one launcher of this process, for the JVM's hooks; null outside a run.
Launcher* CurrentLauncher();

// Makes a launcher the process's current one for its lifetime.
class LauncherRegistration {
  public:
    explicit LauncherRegistration(Launcher& launcher);
    ~LauncherRegistration();
    LauncherRegistration(const LauncherRegistration&) = delete;
    LauncherRegistration& operator=(const LauncherRegistration&) = delete;
};

// The program: constructs and registers the launcher, starts it up and runs it.
// Returns the process exit code.
int LauncherMain();

// Start-up: arguments, settings, single instance, working folder, runtime search.
bool Initialize(Launcher& launcher);

// An application-mode run; returns the exit code.
int Run(Launcher& launcher);

// Thread procedure: creates the JVM and calls main; exit code 0 or 1.
DWORD WINAPI LauncherThread(void* launcher);

// ---------------------------------------------------------------------------------------
// Steps supplied by their own components. Each prints its own error line on failure.

// Runtime search: sets jvmLibraryPath and is64BitRuntime; false when none was chosen.
bool FindRuntime(Launcher& launcher);

// Single instance: false only when start-up must fail. May mark this process secondary.
bool SetUpSingleInstance(Launcher& launcher);
// Gives up the primary role and closes the block and its objects: for a start that hands over
// to the pair launcher, which coordinates under its own settings.
void LeaveSingleInstance(Launcher& launcher);
// A secondary instance's exit code: the primary's answer or its exit code.
int WaitForPrimaryInstance(Launcher& launcher);

// TS_JVM_PATH, TS_JVM_HOME and PATH for the JVM and its children.
void PrepareEnvironment(Launcher& launcher);
// Loads jvm.dll and resolves its entry points; false when that fails.
bool LoadJvmLibrary(Launcher& launcher);
// Fills jvmOptions, threadStackSize, the redirection fields and the "Cmd" arguments;
// false when the class path is empty.
bool AssembleOptions(Launcher& launcher);
// The Java stack size that the loaded JVM reports for a JDK 1.1 argument block, 0 when
// below 1 or unknown.
std::uint32_t DefaultJavaStackSize();
// Creates the JVM with jvmOptions and the hooks, then redirects output.
bool CreateJvm(Launcher& launcher);
// Loads the main class and calls main with the arguments.
bool InvokeMain(Launcher& launcher);
// Ends the JVM after main has returned (service mode): DestroyJavaVM, handles cleared.
void DestroyJvm(Launcher& launcher);

// Service mode: obtains the module path, registers the run observer and runs the service
// control dispatcher. Returns the process exit code.
int RunServiceDispatcher(Launcher& launcher);

}  // namespace launcher
