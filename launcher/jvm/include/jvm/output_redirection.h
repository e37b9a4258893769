#pragma once
// Sending the Java program's System.out and System.err into files.

#include <jni.h>

#include <functional>
#include <string>
#include <string_view>

namespace jvm {

enum class StandardStream { kOut, kErr };

struct OutputFile {
    std::u16string name;  // final name: environment and time picture already expanded
    bool append = false;
};

// Creates the missing folders above a file path; failures are the open's to report.
using FolderMaker = std::function<void(std::u16string_view filePath)>;

// Installs a PrintStream over a FileOutputStream (no buffer in between, so nothing is lost
// when the process ends) as System.out or System.err. False when anything fails; a pending
// exception has then been described (printed) and cleared, and the stream stays as it was.
bool RedirectStream(JNIEnv* env, const OutputFile& file, StandardStream stream,
                    const FolderMaker& makeFolders);

// Redirects each stream whose file name is not empty. Failures never stop the start.
void RedirectOutput(JNIEnv* env, const OutputFile& output, const OutputFile& error,
                    const FolderMaker& makeFolders);

}  // namespace jvm
