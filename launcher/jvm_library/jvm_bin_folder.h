#pragma once
// Where a runtime keeps the libraries its jvm.dll loads.
#include <string>
#include <string_view>

namespace launcher {

// The runtime's bin folder: the jvm.dll path without its last two components
// (C:\jre\bin for C:\jre\bin\server\jvm.dll). Empty when the path has fewer components, so
// nothing outside the runtime is added to the search.
std::wstring JvmBinFolder(std::wstring_view jvmLibraryPath);

}  // namespace launcher
