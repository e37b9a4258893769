#pragma once
// Text helpers of the tests. Plain C++ without GoogleTest: stand-in DLLs use them too.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

bool Contains(std::string_view text, std::string_view part);

// The lines of a text, each without its line break ("\n" or "\r\n").
std::vector<std::string> Lines(const std::string& text);

// The exact bytes of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// A Linux path of the build tree as wine sees it (drive Z:).
std::wstring WinePath(std::string_view linuxPath);

// The first line of a page of the docs (docsDir: the Linux path) that starts with prefix once
// its indentation is skipped, without that indentation; empty when there is none.
std::string DocsLine(std::string_view docsDir, std::string_view page, std::string_view prefix);

}  // namespace testing_support
