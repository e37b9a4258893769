#pragma once
// Creating the JVM in this process, and the stack size its main thread wants.

#include "jvm/entry_points.h"
#include "jvm/reporter.h"

#include <jni.h>

#include <string>
#include <vector>

namespace jvm {

struct Jvm {
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;  // of the thread that created the JVM
};

// JNI_CreateJavaVM at JNI_VERSION_1_2 with the options in order (bytes as the JVM reads them),
// then "abort" and "exit" carrying the hooks of run_hooks.h; unrecognised options are errors.
// A nonzero answer goes to reporter.ReportCreateFailure and gives false.
bool CreateJvm(CreateJavaVmFn createJavaVm, const std::vector<std::string>& options,
               Reporter& reporter, Jvm& created);

// The Java thread stack size in bytes that the runtime reports for a JDK 1.1 argument block,
// or 0 when it reports less than 1 byte.
unsigned DefaultJavaStackSize(GetDefaultInitArgsFn getDefaultInitArgs);

}  // namespace jvm
