#include "installer_services.h"

#include <vector>

namespace pubdirs {
namespace {

// The size probe: ask with an empty buffer for the length, then read with room for the null.
// read(buffer, &size) is one of the installer's string reads.
template <typename Read>
UINT ReadAnyLength(Read read, std::wstring& text, UINT* probeResult) {
    wchar_t empty[1] = {L'\0'};
    DWORD length = 0;
    *probeResult = read(empty, &length);
    if (*probeResult != ERROR_MORE_DATA) {
        return *probeResult;
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    DWORD size = static_cast<DWORD>(buffer.size());
    const UINT result = read(buffer.data(), &size);
    if (result == ERROR_SUCCESS) {
        // The installer reports the length without the terminating null.
        text.assign(buffer.data(), size < buffer.size() ? size : buffer.size() - 1);
    }
    return result;
}

}  // namespace

void InstallerHandle::Reset(MSIHANDLE handle) {
    if (handle_ != 0) {
        ::MsiCloseHandle(handle_);
    }
    handle_ = handle;
}

std::optional<std::wstring> ReadInstallerProperty(MSIHANDLE install, const std::wstring& name) {
    std::wstring text;
    UINT probe = 0;
    const UINT result = ReadAnyLength(
        [&](wchar_t* buffer, DWORD* size) {
            return ::MsiGetPropertyW(install, name.c_str(), buffer, size);
        },
        text, &probe);
    if (probe != ERROR_MORE_DATA) {
        return std::nullopt;
    }
    if (result != ERROR_SUCCESS) {
        return std::wstring();
    }
    return text;
}

std::optional<std::wstring> ReadRecordField(MSIHANDLE record, unsigned int field) {
    std::wstring text;
    UINT probe = 0;
    const UINT result = ReadAnyLength(
        [&](wchar_t* buffer, DWORD* size) {
            return ::MsiRecordGetStringW(record, field, buffer, size);
        },
        text, &probe);
    if (probe != ERROR_MORE_DATA || result != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return text;
}

bool FormatInstallerText(MSIHANDLE install, std::wstring& text) {
    if (text.empty()) {
        return true;
    }
    InstallerHandle record(::MsiCreateRecord(1));
    if (!record || ::MsiRecordSetStringW(record.Get(), 0, text.c_str()) != ERROR_SUCCESS) {
        return false;
    }
    text.clear();
    UINT probe = 0;
    const UINT result = ReadAnyLength(
        [&](wchar_t* buffer, DWORD* size) {
            return ::MsiFormatRecordW(install, record.Get(), buffer, size);
        },
        text, &probe);
    if (result != ERROR_SUCCESS) {
        text.clear();
        return false;
    }
    return true;
}

UINT SendActionData(MSIHANDLE install,
                    std::initializer_list<std::optional<std::wstring_view>> texts) {
    if (install == 0) {
        return ERROR_SUCCESS;
    }
    std::vector<std::wstring> fields;
    for (const auto& text : texts) {
        if (!text) {
            break;
        }
        fields.emplace_back(*text);
    }
    if (fields.empty()) {
        return ERROR_SUCCESS;
    }
    InstallerHandle record(::MsiCreateRecord(static_cast<UINT>(fields.size())));
    if (!record) {
        return ERROR_INSTALL_FAILURE;
    }
    for (size_t i = 0; i < fields.size(); ++i) {
        if (::MsiRecordSetStringW(record.Get(), static_cast<UINT>(i + 1), fields[i].c_str()) !=
            ERROR_SUCCESS) {
            return ERROR_INSTALL_FAILURE;
        }
    }
    const int answer = ::MsiProcessMessage(install, INSTALLMESSAGE_ACTIONDATA, record.Get());
    if (answer == IDCANCEL || answer == IDABORT) {
        return ERROR_INSTALL_USEREXIT;
    }
    return ERROR_SUCCESS;
}

void WriteLogLine(MSIHANDLE install, const std::wstring& line) {
    // The line is the record's template, with the characters that templates give a meaning
    // escaped, so that it is logged as written.
    std::wstring escaped;
    for (wchar_t c : line) {
        if (c == L'[' || c == L']' || c == L'{' || c == L'}') {
            escaped += L"[\\";
            escaped += c;
            escaped += L']';
        } else {
            escaped += c;
        }
    }
    InstallerHandle record(::MsiCreateRecord(0));
    if (!record || ::MsiRecordSetStringW(record.Get(), 0, escaped.c_str()) != ERROR_SUCCESS) {
        return;
    }
    ::MsiProcessMessage(install, INSTALLMESSAGE_INFO, record.Get());
}

}  // namespace pubdirs
