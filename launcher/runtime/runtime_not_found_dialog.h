#pragma once
// Asks the user for a runtime folder when no source yields one.
#include <string>

namespace launcher {

struct RuntimeDialogAnswer {
    bool accepted = false;        // ended with OK after a folder that holds a jvm.dll
    std::wstring jvmLibraryPath;  // what FindJvmLibrary found in the folder
    std::wstring folder;          // the chosen folder, ending with "\"
};

// Shows the modal dialog with message (text 206 or 207, filled) and probes each picked
// folder with FindJvmLibrary and jvmType.
RuntimeDialogAnswer ShowRuntimeNotFoundDialog(const std::wstring& message, int jvmType);

}  // namespace launcher
