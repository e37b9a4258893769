#pragma once
// Asks the user for a runtime folder when no source yields one.
#include <string>

#include "runtime/jvm_library_probe.h"

namespace launcher {

struct RuntimeDialogAnswer {
    bool accepted = false;        // ended with OK after a folder that holds a jvm.dll
    std::wstring jvmLibraryPath;  // what FindJvmLibrary found in the folder
    std::wstring folder;          // the chosen folder, ending with "\"
};

// How a picked folder is probed for its jvm.dll.
using JvmLibraryProbe = JvmLibrary (*)(const std::wstring& home, int jvmType);

// Shows the modal dialog with message (text 206 or 207, filled) and probes each picked
// folder with probe and jvmType.
RuntimeDialogAnswer ShowRuntimeNotFoundDialog(const std::wstring& message, int jvmType,
                                              JvmLibraryProbe probe = FindJvmLibrary);

// Asks the user for a runtime: the dialog above, or what a test puts in its place.
using RuntimeQuestion = RuntimeDialogAnswer (*)(const std::wstring& message, int jvmType);

}  // namespace launcher
