#include "options/runtime_paths.h"

namespace launcher {
namespace {

// The path without its last count components ("\"-separated). Empty when the path has no
// more than count components, so nothing outside the runtime is named. A drive letter alone
// ("C:") is the current folder of that drive, not its root: it keeps its "\".
std::wstring DropComponents(std::wstring_view path, int count) {
    for (int i = 0; i < count; ++i) {
        const size_t cut = path.rfind(L'\\');
        if (cut == std::wstring_view::npos || cut == 0) {
            return {};
        }
        path = path.substr(0, cut);
    }
    if (path.ends_with(L':')) {
        return std::wstring(path) + L'\\';
    }
    return std::wstring(path);
}

}  // namespace

std::wstring JvmBinFolder(std::wstring_view jvmLibraryPath) {
    return DropComponents(jvmLibraryPath, 2);
}

std::wstring RuntimeHomeFolder(std::wstring_view jvmLibraryPath) {
    return DropComponents(jvmLibraryPath, 3);
}

std::wstring RuntimeLibFolder(std::wstring_view jvmLibraryPath) {
    std::wstring folder = RuntimeHomeFolder(jvmLibraryPath);
    if (!folder.ends_with(L'\\')) {
        folder += L'\\';
    }
    return folder + L"lib";
}

std::wstring LibraryPathText(std::wstring_view libraryPath, std::wstring_view programFolder,
                             std::wstring_view runtimeLibFolder) {
    std::wstring text(libraryPath);
    text += programFolder;
    text += L"\\;.;%Path%;";
    text += runtimeLibFolder;
    return text;
}

std::wstring PathVariableText(std::wstring_view systemPath, std::wstring_view jvmBinFolder) {
    std::wstring text(systemPath);
    if (!text.empty() && !text.ends_with(L';')) {
        text += L';';
    }
    text += jvmBinFolder;
    text += L";%Path%";
    return text;
}

}  // namespace launcher
