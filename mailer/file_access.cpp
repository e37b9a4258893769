#include "file_access.h"

#include <windows.h>

#include <climits>

#include "delivery/path_parts.h"
#include "support/file_system.h"
#include "support/path_text.h"
#include "support/unique_handle.h"

namespace mailer {

std::wstring FileSystemPath(const std::wstring& path) {
    if (path.empty()) {
        return {};
    }
    // The full path also turns "/" into "\", which the long-path form no longer does.
    return support::ToLongPathForm(support::FullPath(path).value_or(path));
}

bool FileExists(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(FileSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    support::UniqueHandle file(support::ValidOrNull(
        // A caller may still hold the file open for writing, or mean to delete it.
        ::CreateFileW(FileSystemPath(path).c_str(), GENERIC_READ,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > INT_MAX) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                        &got, nullptr) ||
            got == 0) {
            return std::nullopt;
        }
        done += got;
    }
    return bytes;
}

bool CopyFileOver(const std::wstring& source, const std::wstring& target) {
    return ::CopyFileW(FileSystemPath(source).c_str(), FileSystemPath(target).c_str(), FALSE) !=
           FALSE;
}

std::wstring ProgramFolder() {
    const std::optional<std::wstring> path = support::ModuleFilePath();
    return path ? ParentFolderOf(*path) : std::wstring();
}

}  // namespace mailer
