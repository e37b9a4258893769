#pragma once
// File-system helpers; every path is UTF-16 and goes to the wide functions.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "support/path_text.h"
#include "support/unique_handle.h"

namespace support {

// A one-shot search that also yields the folder that holds the match.
class FileFinder {
  public:
    // Searches for pattern; false when nothing matches or the pattern is unusable.
    bool Search(std::wstring_view pattern = L"*.*");
    const WIN32_FIND_DATAW& FirstMatch() const { return data_; }
    // The full path of the pattern without its last component.
    const std::wstring& Root() const { return root_; }

  private:
    UniqueFindHandle search_;
    WIN32_FIND_DATAW data_{};
    std::wstring root_;
};

// True only for an absolute path ("X:..." or "\\...") that names an existing entry.
// A drive root counts as not existing.
bool PathExists(const std::wstring& path);

// Creates the missing folders above a file path. On a local path a failure stops the walk
// and removes the levels this call made; on a UNC path failures are ignored.
void CreateParentDirectories(const std::wstring& filePath);

bool RemoveDirectoryLong(const std::wstring& path);

// The full path (GetFullPathNameW): relative paths count from the current folder and "/"
// becomes "\". Nothing when the system cannot form it.
std::optional<std::wstring> FullPath(const std::wstring& path);

// The full path of a module's file (null: this program), grown past MAX_PATH so that a
// program in a deep folder still finds itself. Nothing when the system cannot tell it; the
// last error says why.
std::optional<std::wstring> ModuleFilePath(HMODULE module = nullptr);

// Expands %NAME% references; empty when the text cannot be expanded.
std::wstring ExpandEnvironment(const std::wstring& text);
// The same, telling a failure (nothing) from a text that expands to nothing.
std::optional<std::wstring> TryExpandEnvironment(const std::wstring& text);

}  // namespace support
