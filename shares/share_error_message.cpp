#include "share_error_message.h"

#include <msiquery.h>

#include "installer_services.h"
#include "support/unique_handle.h"

namespace pubdirs {
namespace {

constexpr DWORD kFirstNetworkCode = 2100;
constexpr DWORD kLastNetworkCode = 2999;

std::wstring MessageText(DWORD flags, const void* source, DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        flags | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, source, code,
        LANG_USER_DEFAULT, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const support::UniqueLocal<wchar_t> owned(buffer);
    return length != 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
}

// From the system folder only, never from the current folder or the package's.
std::wstring SystemLibraryPath(const wchar_t* file) {
    std::wstring folder(MAX_PATH, L'\0');
    const UINT length = ::GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length == 0 || length >= folder.size()) {
        return {};
    }
    folder.resize(length);
    return folder + L"\\" + file;
}

}  // namespace

std::wstring ErrorText(DWORD code) {
    std::wstring text = MessageText(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code);
    if (text.empty() && code >= kFirstNetworkCode && code <= kLastNetworkCode) {
        // Loaded for its message table only: no code of it runs.
        const support::UniqueLibrary library(::LoadLibraryExW(
            SystemLibraryPath(L"netmsg.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (library) {
            text = MessageText(FORMAT_MESSAGE_FROM_HMODULE, library.get(), code);
        }
    }
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) {
        text.pop_back();
    }
    if (text.empty()) {
        text = L"Fehler " + std::to_wstring(code);
    }
    return text;
}

int AskAboutFailedShare(MSIHANDLE install, const std::wstring& folder,
                        const std::wstring& shareName, DWORD code) {
    const std::wstring reason = ErrorText(code);
    InstallerHandle record(::MsiCreateRecord(4));
    if (!record || ::MsiRecordSetInteger(record.Get(), 1, kShareErrorTemplate) != ERROR_SUCCESS ||
        ::MsiRecordSetStringW(record.Get(), 2, folder.c_str()) != ERROR_SUCCESS ||
        ::MsiRecordSetStringW(record.Get(), 3, shareName.c_str()) != ERROR_SUCCESS ||
        ::MsiRecordSetStringW(record.Get(), 4, reason.c_str()) != ERROR_SUCCESS) {
        return 0;
    }
    return ::MsiProcessMessage(
        install,
        static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_ERROR | MB_ABORTRETRYIGNORE | MB_ICONWARNING),
        record.Get());
}

}  // namespace pubdirs
