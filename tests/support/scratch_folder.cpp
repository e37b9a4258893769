#include "scratch_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "support/unique_handle.h"
#include "test_text.h"

namespace testing_support {
namespace {

// Read-only files too. The folder is named in the "\\?\" form, so that entries deeper than
// the plain path limit go as well.
void RemoveLongTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    const support::UniqueFindHandle search(
        support::ValidOrNull(::FindFirstFileW((folder + L"\\*").c_str(), &data)));
    if (search) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveLongTree(child);
            } else {
                ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(child.c_str());
            }
        } while (::FindNextFileW(search.get(), &data));
    }
    ::RemoveDirectoryW(folder.c_str());
}

// Removes a local folder with everything in it.
void RemoveTree(const std::wstring& path) {
    RemoveLongTree(L"\\\\?\\" + path);
}

std::wstring TempPath() {
    std::wstring temp(::GetTempPathW(0, nullptr), L'\0');
    temp.resize(::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
    return temp;
}

void MakeFolders(const std::wstring& filePath) {
    for (size_t slash = filePath.find(L'\\', 3); slash != std::wstring::npos;
         slash = filePath.find(L'\\', slash + 1)) {
        ::CreateDirectoryW(filePath.substr(0, slash).c_str(), nullptr);
    }
}

}  // namespace

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = TempPath() + L"ts_scratch_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
            std::to_wstring(counter++);
    // A folder of that name can only be left over by an earlier process of the same id.
    RemoveTree(path_);
    if (!::CreateDirectoryW(path_.c_str(), nullptr)) {
        ADD_FAILURE() << "cannot make a scratch folder, error " << ::GetLastError();
    }
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

std::wstring ScratchFolder::operator/(std::wstring_view name) const {
    return path_ + L"\\" + std::wstring(name);
}

void ScratchFolder::Write(std::wstring_view name, std::string_view bytes) const {
    const std::wstring path = *this / name;
    MakeFolders(path);
    const support::UniqueHandle file(support::ValidOrNull(::CreateFileW(
        path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    DWORD written = 0;
    if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr)) {
        ADD_FAILURE() << "cannot write a scratch file, error " << ::GetLastError();
    }
}

std::string ScratchFolder::Read(std::wstring_view name) const {
    return ReadFileBytes(*this / name);
}

bool ScratchFolder::Exists(std::wstring_view name) const {
    return ::GetFileAttributesW((*this / name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

UncShare::UncShare() {
    const DWORD size = ::GetEnvironmentVariableW(L"WINEPREFIX", nullptr, 0);
    if (size == 0) {
        return;
    }
    std::wstring prefix(size, L'\0');
    prefix.resize(::GetEnvironmentVariableW(L"WINEPREFIX", prefix.data(), size));
    std::ranges::replace(prefix, L'/', L'\\');
    static std::atomic<int> counter{0};
    const std::wstring name =
        L"share" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(counter++);
    std::wstring folder = L"\\\\?\\Z:" + prefix + L"\\dosdevices";
    for (const wchar_t* level : {L"unc", L"tsunc", name.c_str()}) {
        folder += L"\\";
        folder += level;
        ::CreateDirectoryW(folder.c_str(), nullptr);
    }
    if (::GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) {
        folder_ = folder;
        path_ = L"\\\\tsunc\\" + name;
    }
}

UncShare::~UncShare() {
    if (!folder_.empty()) {
        RemoveLongTree(folder_);
    }
}

}  // namespace testing_support
