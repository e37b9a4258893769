#include "support/path_text.h"

namespace support {
namespace {
constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
}  // namespace

bool IsUncPath(std::wstring_view path) {
    if (!path.starts_with(L"\\\\")) {
        return false;
    }
    if (path.starts_with(kLongPrefix)) {
        return path.starts_with(kLongUncPrefix);
    }
    return true;
}

std::wstring ToLongPathForm(std::wstring_view path) {
    if (path.size() <= kMaxPlainPath) {
        return std::wstring(path);
    }
    if (IsUncPath(path)) {
        if (path.starts_with(kLongUncPrefix)) {
            return std::wstring(path);
        }
        return std::wstring(kLongUncPrefix) + std::wstring(path.substr(2));
    }
    if (path.starts_with(kLongPrefix)) {
        return std::wstring(path);
    }
    // Only a full drive path has a long form: the prefix turns off the system's own reading
    // of the path, so a relative one ("UNC\x", "dir\x", "C:x") would name another place.
    const bool fullDrivePath = path[1] == L':' && path[2] == L'\\';
    if (!fullDrivePath) {
        return std::wstring(path);
    }
    return std::wstring(kLongPrefix) + std::wstring(path);
}

std::vector<std::wstring> SplitPath(std::wstring_view path) {
    std::wstring prefix;
    std::wstring_view rest = path;
    if (rest.starts_with(kLongPrefix)) {
        if (rest.starts_with(kLongUncPrefix)) {
            prefix = kLongUncPrefix;
            rest.remove_prefix(kLongUncPrefix.size());
        } else {
            prefix = kLongPrefix;
            rest.remove_prefix(kLongPrefix.size());
        }
    }
    // After "\\?\UNC\" the server name follows directly; a plain UNC path still has its "\\".
    const size_t searchFrom = rest.starts_with(L"\\\\") ? 2 : 0;
    const size_t rootEnd = rest.find(L'\\', searchFrom);

    std::vector<std::wstring> parts;
    if (rootEnd == std::wstring_view::npos) {
        parts.push_back(prefix + std::wstring(rest));
        return parts;
    }
    parts.push_back(prefix + std::wstring(rest.substr(0, rootEnd)));
    rest.remove_prefix(rootEnd + 1);
    if (rest.empty()) {
        return parts;
    }
    size_t position = 0;
    for (;;) {
        const size_t next = rest.find(L'\\', position);
        parts.emplace_back(rest.substr(position, next - position));
        if (next == std::wstring_view::npos) {
            break;
        }
        position = next + 1;
    }
    return parts;
}

bool IsAbsolutePathShape(std::wstring_view path) {
    if (path.size() < 2) {
        return false;
    }
    return (path[0] == L'\\' && (path[1] == L'\\' || path[1] == L':')) || path[1] == L':';
}

}  // namespace support
