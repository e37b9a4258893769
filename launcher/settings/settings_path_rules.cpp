#include "settings/settings_path_rules.h"

namespace launcher {
namespace {

size_t FileNameStart(std::wstring_view path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring_view::npos ? 0 : slash + 1;
}

}  // namespace

std::optional<std::wstring> SettingsPathFor(std::wstring_view programPath) {
    // Only a dot in the file name counts: a dot in a folder name would name a file in
    // another folder.
    const size_t dot = programPath.rfind(L'.');
    if (dot == std::wstring_view::npos || dot < FileNameStart(programPath)) {
        return std::nullopt;
    }
    return std::wstring(programPath.substr(0, dot + 1)) + L"ini";
}

std::wstring ProgramBaseName(std::wstring_view programPath) {
    std::wstring_view name = programPath.substr(FileNameStart(programPath));
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring_view::npos) {
        name = name.substr(0, dot);
    }
    return std::wstring(name);
}

std::wstring ProgramFolder(std::wstring_view programPath) {
    const size_t slash = programPath.rfind(L'\\');
    if (slash == std::wstring_view::npos) {
        return {};
    }
    std::wstring_view folder = programPath.substr(0, slash);
    while (!folder.empty() && folder.back() == L'\\') {
        folder.remove_suffix(1);
    }
    return std::wstring(folder);
}

std::wstring SanitizeProductName(std::wstring_view productName) {
    constexpr std::wstring_view kRemoved = L"\\?\"|><:/*";
    std::wstring sanitised;
    for (wchar_t c : productName) {
        if (kRemoved.find(c) == std::wstring_view::npos) {
            sanitised += c;
        }
    }
    return sanitised;
}

std::wstring UserSettingsPathFor(std::wstring_view appData, std::wstring_view productName,
                                 std::wstring_view productCode, std::wstring_view programPath) {
    std::wstring path(appData);
    path += L'\\';
    path += SanitizeProductName(productName);
    path += L'\\';
    path += productCode;
    path += L'\\';
    path += ProgramBaseName(programPath);
    path += L".ini";
    return path;
}

std::wstring MakeJrePathAbsolute(std::wstring_view value, std::wstring_view programFolder) {
    if (value.empty()) {
        return {};
    }
    const bool absolute = value.size() >= 2 && (value[1] == L':' || value.starts_with(L"\\\\"));
    if (absolute) {
        return std::wstring(value);
    }
    return std::wstring(programFolder) + L"\\" + std::wstring(value);
}

}  // namespace launcher
