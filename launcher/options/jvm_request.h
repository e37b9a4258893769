#pragma once
// What the JVM is started with: made from the settings and the chosen runtime.
#include <cstdint>
#include <string>
#include <vector>

namespace launcher {

// Redirection of the Java program's System.out and System.err ("Output File" etc.).
struct OutputFiles {
    std::wstring outputFile;
    bool outputAppend = false;
    std::wstring errorFile;
    bool errorAppend = false;
};

struct JvmRequest {
    // JVM options in the thread's ANSI code page, in the order they were added.
    std::vector<std::string> options;
    // Stack of the launcher thread in bytes, from "-Xss"; 0 when not given.
    std::uint32_t threadStackSize = 0;
    OutputFiles output;
    // Arguments for the Java main method: the command line, then the "Cmd" tokens.
    std::vector<std::wstring> arguments;
};

}  // namespace launcher
