#include "delivery/registry_value.h"

#include <cstring>
#include <vector>

#include "support/file_system.h"
#include "support/unique_handle.h"

namespace mailer {

std::wstring fWertLesen(HKEY root, const std::wstring& keyPath, const std::wstring& valueName) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return {};
    }
    const support::UniqueKey key(opened);
    return fRegAbfrageWert(key.get(), valueName);
}

std::wstring fRegAbfrageWert(HKEY key, const std::wstring& valueName) {
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        if (::RegQueryValueExW(key, valueName.c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(data.data()), &got) != ERROR_SUCCESS) {
            return {};
        }
        std::wstring text(data.data());
        // The usual form is "%ProgramFiles%\…": unexpanded it names no file.
        return type == REG_EXPAND_SZ ? support::ExpandEnvironment(text) : text;
    }
    if (type == REG_BINARY && size >= 1 && size <= 2) {
        BYTE data[2] = {0, 0};
        DWORD got = sizeof data;
        if (::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, data, &got) !=
            ERROR_SUCCESS) {
            return {};
        }
        const auto number = static_cast<short>(data[0] | (data[1] << 8));
        return std::to_wstring(number);
    }
    return {};
}

}  // namespace mailer
