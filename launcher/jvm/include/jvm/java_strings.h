#pragma once
// Text between the launcher (UTF-16) and the JVM, without any code-page conversion.

#include <jni.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jvm {

// A java.lang.String made through String(char[]); null on any failure (an exception may be
// pending then).
jstring NewJavaString(JNIEnv* env, std::u16string_view text);

// A String[] holding the texts in order; null on any failure.
jobjectArray NewStringArray(JNIEnv* env, const std::vector<std::u16string>& texts);

// The UTF-16 units of a Java string; nullopt when they cannot be read.
std::optional<std::u16string> StringText(JNIEnv* env, jstring text);

// The modified UTF-8 bytes of a Java string (what FindClass expects); nullopt when the JVM
// cannot hand them out.
std::optional<std::string> StringUtf8(JNIEnv* env, jstring text);

// The modified UTF-8 bytes that FindClass expects, made by the JVM itself from the text.
// nullopt when the text cannot become a Java string or its bytes cannot be read.
std::optional<std::string> ModifiedUtf8(JNIEnv* env, std::u16string_view text);

// A class name in the internal form FindClass expects: "/" between package parts. Dots cannot
// occur in an internal name, so a name given with dots is taken as meant.
std::u16string InternalClassName(std::u16string_view name);

// Prints and clears a pending exception; true when there was one.
bool DescribePendingException(JNIEnv* env);

}  // namespace jvm
