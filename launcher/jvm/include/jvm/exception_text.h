#pragma once
// The stack-trace text of a Java exception, as printStackTrace writes it.

#include <jni.h>

#include <string>

namespace jvm {

// Empty on any failure. Must be called with no exception pending.
std::u16string ExceptionText(JNIEnv* env, jthrowable throwable);

}  // namespace jvm
