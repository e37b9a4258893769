#include "settings/ini_file.h"

#include <windows.h>

#include "support/profile_value.h"

#include "settings/setting_values.h"

namespace launcher {

std::wstring IniFile::ReadValue(const std::wstring& section, const std::wstring& key) const {
    return support::ReadProfileValue(path_, section, key);
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
