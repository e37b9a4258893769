#pragma once
// The runtime library's entry points, as the caller resolved them from jvm.dll or libjvm.so.

#include <jni.h>

namespace jvm {

using CreateJavaVmFn = jint(JNICALL*)(JavaVM** vm, void** env, void* args);
using GetDefaultInitArgsFn = jint(JNICALL*)(void* args);
// Finds a class with the boot loader; the name is modified UTF-8 with "/" separators.
using FindClassFromBootLoaderFn = jclass(JNICALL*)(JNIEnv* env, const char* name);

struct EntryPoints {
    CreateJavaVmFn createJavaVm = nullptr;
    GetDefaultInitArgsFn getDefaultInitArgs = nullptr;
    FindClassFromBootLoaderFn findClassFromBootLoader = nullptr;  // optional
};

}  // namespace jvm
