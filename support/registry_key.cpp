#include "support/registry_key.h"

#include "support/registry_value.h"

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
    const std::optional<RegistryValue> value = ReadRegistryValue(key_.get(), name);
    return value ? TextUpToNul(value->data) : std::wstring();
}

}  // namespace support
