#include "class_archive/windows_archive_folder.h"

#include <windows.h>

#include "support/text_conversion.h"
#include "support/unique_handle.h"
#include "support/utf8.h"

namespace launcher {

std::wstring WindowsArchiveFolder::PathOf(std::string_view name) const {
    return folder_ + support::Utf8ToWide(name);
}

std::vector<jvm::ArchiveFolder::File> WindowsArchiveFolder::Files(std::string_view prefix) {
    std::vector<File> files;
    WIN32_FIND_DATAW data{};
    const support::UniqueFindHandle search(
        support::ValidOrNull(::FindFirstFileW((PathOf(prefix) + L"*").c_str(), &data)));
    if (!search) {
        return files;
    }
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            files.push_back(
                {support::WideToUtf8(data.cFileName),
                 (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
        }
    } while (::FindNextFileW(search.get(), &data));
    return files;
}

std::string WindowsArchiveFolder::Checksum(const std::string& name) {
    const support::UniqueHandle file(support::ValidOrNull(
        ::CreateFileW(PathOf(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr)));
    if (!file) {
        return {};
    }
    jvm::ArchiveChecksum checksum;
    std::string buffer(1 << 20, '\0');
    DWORD read = 0;
    while (
        ::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
        if (read == 0) {
            return checksum.Hex();
        }
        checksum.Add(std::string_view(buffer.data(), read));
    }
    return {};
}

bool WindowsArchiveFolder::Move(const std::string& from, const std::string& to) {
    return ::MoveFileExW(PathOf(from).c_str(), PathOf(to).c_str(), MOVEFILE_REPLACE_EXISTING) !=
           FALSE;
}

void WindowsArchiveFolder::Remove(const std::string& name) {
    ::DeleteFileW(PathOf(name).c_str());
}

}  // namespace launcher
