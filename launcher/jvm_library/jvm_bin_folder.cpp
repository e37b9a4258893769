#include "jvm_library/jvm_bin_folder.h"

namespace launcher {

std::wstring JvmBinFolder(std::wstring_view jvmLibraryPath) {
    const size_t fileStart = jvmLibraryPath.rfind(L'\\');
    if (fileStart == std::wstring_view::npos || fileStart == 0) {
        return {};
    }
    const size_t flavourStart = jvmLibraryPath.rfind(L'\\', fileStart - 1);
    if (flavourStart == std::wstring_view::npos || flavourStart == 0) {
        return {};
    }
    std::wstring_view folder = jvmLibraryPath.substr(0, flavourStart);
    // "C:" alone is the current folder of drive C, not its root.
    if (folder.size() == 2 && folder[1] == L':') {
        return std::wstring(folder) + L'\\';
    }
    return std::wstring(folder);
}

}  // namespace launcher
