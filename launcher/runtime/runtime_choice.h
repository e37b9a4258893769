#pragma once
// What the runtime search chose: the library to load and where it must run.
#include <string>

namespace launcher {

struct RuntimeChoice {
    std::wstring jvmLibraryPath;  // full path of the chosen jvm.dll
    bool is64Bit = false;         // a 64-bit runtime that the pair launcher must run
};

}  // namespace launcher
