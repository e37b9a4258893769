#pragma once
// The folders that the JVM's environment is made of, derived from the chosen jvm.dll path,
// and the texts of java.library.path and PATH before their variables are expanded.
#include <string>
#include <string_view>

namespace launcher {

// C:\jre\bin\server\jvm.dll gives C:\jre\bin: the folder put on PATH and added to the
// library search when jvm.dll is loaded. Empty when the path is too short; C:\server\jvm.dll
// gives the drive's root C:\, never the drive-relative C:.
std::wstring JvmBinFolder(std::wstring_view jvmLibraryPath);
// C:\jre\bin\server\jvm.dll gives C:\jre (the root C:\ for C:\bin\server\jvm.dll).
std::wstring RuntimeHomeFolder(std::wstring_view jvmLibraryPath);
// C:\jre\bin\server\jvm.dll gives C:\jre\lib.
std::wstring RuntimeLibFolder(std::wstring_view jvmLibraryPath);

// "Library Path" directly followed by the program folder and "\", then ";.", ";%Path%;"
// and the runtime's lib folder: C:\native; gives C:\native;C:\App\;.;%Path%;C:\jre\lib.
std::wstring LibraryPathText(std::wstring_view libraryPath, std::wstring_view programFolder,
                             std::wstring_view runtimeLibFolder);

// "System Path" (with a ";" after it unless it ends with one), the JVM's bin folder and
// ";%Path%".
std::wstring PathVariableText(std::wstring_view systemPath, std::wstring_view jvmBinFolder);

}  // namespace launcher
