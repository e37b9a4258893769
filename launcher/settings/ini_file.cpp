#include "settings/ini_file.h"

#include <windows.h>

#include <algorithm>

#include "settings/setting_values.h"

namespace launcher {

std::wstring IniFile::ReadValue(const std::wstring& section, const std::wstring& key) const {
    // The profile functions cut a value to the buffer without saying so, except that the
    // length is then the buffer size less one: grow until it fits.
    std::wstring buffer;
    for (DWORD size = 256;; size *= 2) {
        buffer.assign(size, L'\0');
        const DWORD length = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"",
                                                        buffer.data(), size, path_.c_str());
        if (length + 1 != size || size >= (1u << 30)) {
            buffer.resize(std::min(length, size));
            return buffer;
        }
    }
}

bool IniFile::WriteValue(const std::wstring& section, const std::wstring& key,
                         const std::wstring& value) const {
    return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(),
                                        path_.c_str()) != FALSE;
}

std::wstring SettingsReader::ReadSetting(const std::wstring& section,
                                         const std::wstring& key) const {
    std::wstring value = file_.ReadValue(section, key);
    if (!value.empty()) {
        return value;
    }
    return WithFallbackBlank(file_.ReadValue(section + L"+", key));
}

}  // namespace launcher
