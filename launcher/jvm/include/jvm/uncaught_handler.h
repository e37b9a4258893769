#pragma once
// The launcher's default handler for an exception that ends a Java thread: a small class
// defined from bytes in the program, whose native method hands the exception's text to the
// launcher after Java's own report on System.err.

#include <jni.h>

#include <string>

namespace jvm {

// Receives the text of an exception that ended a Java thread, as printStackTrace writes it,
// and the JVM. Called on that thread, which ends as Java ends it once this returns.
using UncaughtReport = void (*)(JavaVM* vm, const std::u16string& text);

// Defines the handler and makes it the JVM's default, unless one is set already. False when
// it is not installed (the JVM refused it, or the application's own handler stays).
bool InstallUncaughtHandler(JNIEnv* env, UncaughtReport report);

}  // namespace jvm
