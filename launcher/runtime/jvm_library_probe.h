#pragma once
// Where a runtime keeps its jvm.dll, one folder per VM flavour.
#include <string>

namespace launcher {

struct JvmLibrary {
    std::wstring path;  // full path of jvm.dll; empty when none was found
    bool isServer = false;
};

// home ends with "\". "JVM Type" server takes only bin\server; favor_server tries it first;
// any VM tries bin\client, bin\classic, bin\hotspot and bin\jrockit, never bin\server.
JvmLibrary FindJvmLibrary(const std::wstring& home, int jvmType);

// home + "bin\java.dll" exists: the folder is a runtime, not just a folder with a jvm.dll.
bool HasJavaMarker(const std::wstring& home);

}  // namespace launcher
