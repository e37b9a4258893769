#include "support/file_system.h"

#include <algorithm>
#include <vector>

namespace support {

bool FileFinder::Search(std::wstring_view pattern) {
    search_.reset();
    data_ = {};
    root_.clear();
    if (pattern.size() > kMaxLongPath) {
        return false;
    }
    const std::wstring longForm = ToLongPathForm(pattern);
    search_.reset(ValidOrNull(::FindFirstFileW(longForm.c_str(), &data_)));
    if (!search_) {
        return false;
    }
    const std::optional<std::wstring> full = FullPath(std::wstring(pattern));
    if (!full) {
        search_.reset();
        ::SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    const size_t cut = full->find_last_of(L"\\/");
    root_ = cut == std::wstring::npos ? *full : full->substr(0, cut);
    return true;
}

std::optional<std::wstring> FullPath(const std::wstring& path) {
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return std::nullopt;
    }
    std::wstring full(needed, L'\0');
    const DWORD written = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) {
        return std::nullopt;
    }
    full.resize(written);
    return full;
}

bool PathExists(const std::wstring& path) {
    if (!IsAbsolutePathShape(path)) {
        return false;
    }
    WIN32_FIND_DATAW data;
    UniqueFindHandle search(ValidOrNull(::FindFirstFileW(path.c_str(), &data)));
    if (search) {
        return true;
    }
    return ::GetLastError() == 0;
}

void CreateParentDirectories(const std::wstring& filePath) {
    if (PathExists(filePath)) {
        return;
    }
    const std::vector<std::wstring> parts = SplitPath(filePath);
    const bool unc = IsUncPath(filePath);
    std::wstring current = parts.front();
    // The levels this call made, in order: a failure deeper down removes them again, deepest
    // first. A folder that was there before stays.
    std::vector<std::wstring> made;
    for (size_t i = 1; i + 1 < parts.size(); ++i) {
        const std::wstring candidate = current + L"\\" + parts[i];
        const std::wstring longForm = ToLongPathForm(candidate);
        if (::CreateDirectoryW(longForm.c_str(), nullptr) != FALSE) {
            made.push_back(candidate);
        } else if (::GetLastError() != ERROR_ALREADY_EXISTS && !unc) {
            for (auto level = made.rbegin(); level != made.rend(); ++level) {
                RemoveDirectoryLong(*level);
            }
            return;
        }
        current = candidate;
    }
}

bool RemoveDirectoryLong(const std::wstring& path) {
    const std::wstring target =
        path.size() < 260 || path.starts_with(L"\\\\?\\") ? path : L"\\\\?\\" + path;
    return ::RemoveDirectoryW(target.c_str()) == TRUE;
}

std::optional<std::wstring> TryExpandEnvironment(const std::wstring& text) {
    const DWORD needed = ::ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0) {
        return std::nullopt;
    }
    std::wstring expanded(needed, L'\0');
    const DWORD written = ::ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed);
    if (written == 0 || written > needed) {
        return std::nullopt;
    }
    expanded.resize(std::wcslen(expanded.c_str()));
    // Past the system's limit the text may stop early although the call reports the full
    // length: a cut text is not the expansion.
    if (expanded.size() + 1 != written) {
        return std::nullopt;
    }
    return expanded;
}

std::wstring ExpandEnvironment(const std::wstring& text) {
    return TryExpandEnvironment(text).value_or(std::wstring());
}

std::optional<std::wstring> ModuleFilePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return std::nullopt;
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= kMaxLongPath) {
            ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return std::nullopt;
        }
        path.resize(std::min<std::size_t>(path.size() * 2, kMaxLongPath));
    }
}

}  // namespace support
