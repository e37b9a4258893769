#pragma once
// How the JNI layer tells its caller about a failure. The caller words and prints it
// (javastub prints the catalogue line with the same number).

#include <jni.h>

#include <string_view>

namespace jvm {

enum class Message {
    kMainClassNotLoadable = 211,  // insert: the main class name
    kMainClassNotFound = 215,     // insert: the main class name
    kNoMainMethod = 216,          // no insert
};

class Reporter {
  public:
    // A failure with its catalogue number; insert is empty for messages without one.
    virtual void Report(Message message, std::u16string_view insert) = 0;
    // JNI_CreateJavaVM answered the nonzero code.
    virtual void ReportCreateFailure(jint code) = 0;

  protected:
    ~Reporter() = default;
};

}  // namespace jvm
