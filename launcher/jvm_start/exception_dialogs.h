#pragma once
// Exceptions that the Java program leaves, shown to the user of the windowed program, one
// dialog at a time; the rest go to the trace.
#include <jni.h>

#include <string>

#include "options/jvm_request.h"
#include "settings/launcher_settings.h"

namespace launcher {

// Whether they are shown: the windowed program on the interactive window station, outside
// service mode, with standard error going nowhere (no console, pipe or "Error File"), unless
// "Exception Dialog=off". The same rule as the box of error lines.
bool ExceptionDialogsOffered(const LauncherSettings& settings, const OutputFiles& output);

// Has the JVM report exceptions that end its other threads: each is shown on a thread of its
// own, and Stop ends the JVM through System.exit(1). Call before main.
void ShowThreadExceptions(JNIEnv* env);

// Shows the exception main left; Stop ends the process now, with the run's exit code 0.
void ShowMainException(const std::u16string& text);

}  // namespace launcher
