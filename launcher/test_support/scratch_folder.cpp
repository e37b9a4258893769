#include "test_support/scratch_folder.h"

#include <atomic>
#include <vector>

namespace launcher::testing_help {
namespace {

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(child.c_str());
            }
        } while (::FindNextFileW(search, &data));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
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
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp, length) + L"launcher_test_" +
            std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(counter++);
    RemoveTree(path_);
    ::CreateDirectoryW(path_.c_str(), nullptr);
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
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string ScratchFolder::Read(std::wstring_view name) const {
    HANDLE file =
        ::CreateFileW((*this / name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    ::CloseHandle(file);
    return bytes;
}

bool ScratchFolder::Exists(std::wstring_view name) const {
    return ::GetFileAttributesW((*this / name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

ScopedEnvironment::ScopedEnvironment(const wchar_t* name, const wchar_t* value) : name_(name) {
    std::vector<wchar_t> buffer(32768);
    const DWORD length =
        ::GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    hadValue_ = length > 0 || ::GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    old_.assign(buffer.data(), length);
    ::SetEnvironmentVariableW(name, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    ::SetEnvironmentVariableW(name_.c_str(), hadValue_ ? old_.c_str() : nullptr);
}

CapturedOutput::CapturedOutput() : previous_(::GetStdHandle(STD_OUTPUT_HANDLE)) {
    file_ = ::CreateFileW((folder_ / L"out.txt").c_str(), GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    ::SetStdHandle(STD_OUTPUT_HANDLE, file_);
}

CapturedOutput::~CapturedOutput() {
    ::SetStdHandle(STD_OUTPUT_HANDLE, previous_);
    ::CloseHandle(file_);
}

std::string CapturedOutput::Bytes() const {
    return folder_.Read(L"out.txt");
}

}  // namespace launcher::testing_help
