#include "support/registry_key.h"

namespace support {

RegistryKey::RegistryKey(std::wstring_view subkey, RegistryView view) : path_(subkey), view_(view) {
    const REGSAM access = KEY_READ | (static_cast<REGSAM>(view) * 0x100);
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, access, &opened) == ERROR_SUCCESS) {
        key_.reset(opened);
    }
}

std::vector<std::wstring> RegistryKey::SubkeyNames() const {
    std::vector<std::wstring> names;
    if (!key_) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[260];
        DWORD length = 260;
        if (::RegEnumKeyExW(key_.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

std::wstring RegistryKey::ReadText(const std::wstring& name) const {
    if (!key_) {
        return {};
    }
    DWORD bytes = 0;
    if (::RegQueryValueExW(key_.get(), name.c_str(), nullptr, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        bytes == 0) {
        return {};
    }
    // Room for an odd byte count and a terminator the stored value may lack.
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key_.get(), name.c_str(), nullptr, nullptr,
                           reinterpret_cast<BYTE*>(text.data()), &got) != ERROR_SUCCESS) {
        return {};
    }
    text.resize(std::min<size_t>(text.size(), got / sizeof(wchar_t)));
    text.resize(std::wcslen(text.c_str()));
    return text;
}

}  // namespace support
