#include "support/registry_value.h"

#include <algorithm>
#include <cwchar>

namespace support {

std::optional<RegistryValue> ReadRegistryValue(HKEY key, const std::wstring& name) {
    RegistryValue value;
    DWORD size = 0;
    LSTATUS rc = ::RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
        value.data.resize(size);
        rc = ::RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        if (rc == ERROR_SUCCESS) {
            value.data.resize(std::min<std::size_t>(size, value.data.size()));
            return value;
        }
    }
    return std::nullopt;
}

std::wstring CharactersOf(std::span<const BYTE> data) {
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    std::copy_n(data.begin(), text.size() * sizeof(wchar_t), reinterpret_cast<BYTE*>(text.data()));
    return text;
}

std::wstring TextUpToNul(std::span<const BYTE> data) {
    std::wstring text = CharactersOf(data);
    text.resize(std::wcslen(text.c_str()));
    return text;
}

}  // namespace support
