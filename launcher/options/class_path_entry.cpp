#include "options/class_path_entry.h"

namespace launcher {

bool IsRelativeClassPathEntry(std::wstring_view entry) {
    return entry.size() < 2 || (entry[1] != L':' && !entry.starts_with(L"\\\\"));
}

bool NeedsClassPathSearch(std::wstring_view entry) {
    return entry.find(L'*') != std::wstring_view::npos || IsRelativeClassPathEntry(entry);
}

std::wstring ClassPathSearchPattern(std::wstring_view entry, std::wstring_view programFolder) {
    if (IsRelativeClassPathEntry(entry)) {
        return std::wstring(programFolder) + L"\\" + std::wstring(entry);
    }
    return std::wstring(entry);
}

std::wstring ClassPathMatchFolder(std::wstring_view entry, std::wstring_view programFolder) {
    const size_t lastBackslash = entry.rfind(L'\\');
    if (IsRelativeClassPathEntry(entry)) {
        std::wstring folder(programFolder);
        if (lastBackslash != std::wstring_view::npos && lastBackslash > 0) {
            folder += L"\\";
            folder += entry.substr(0, lastBackslash);
        }
        return folder;
    }
    if (lastBackslash == std::wstring_view::npos) {
        // "C:*.jar": the drive, so that the names at least stay on it.
        return std::wstring(entry.substr(0, 2));
    }
    if (lastBackslash + 1 == entry.size()) {
        return std::wstring(entry);
    }
    return std::wstring(entry.substr(0, lastBackslash));
}

}  // namespace launcher
