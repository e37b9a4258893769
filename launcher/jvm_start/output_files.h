#pragma once
// The Java program's System.out and System.err, sent into the files the settings name.
#include <jni.h>

#include "options/jvm_request.h"

namespace launcher {

// Expands the time pictures of both names with one reading of the clock, then redirects each
// stream that has a file, creating the missing folders before each open. Failures leave the
// stream as it was and never stop the start.
void RedirectOutputFiles(JNIEnv* env, const OutputFiles& files);

}  // namespace launcher
