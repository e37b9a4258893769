#pragma once
// Reads and writes one Windows profile (INI) file.
#include <string>

namespace launcher {

class IniFile {
  public:
    explicit IniFile(std::wstring path) : path_(std::move(path)) {}

    const std::wstring& Path() const { return path_; }

    // The value, whole however long; empty for a missing key or file.
    std::wstring ReadValue(const std::wstring& section, const std::wstring& key) const;
    bool WriteValue(const std::wstring& section, const std::wstring& key,
                    const std::wstring& value) const;

  private:
    std::wstring path_;
};

// A settings file whose sections may be continued by a section named with a "+" added.
class SettingsReader {
  public:
    explicit SettingsReader(std::wstring path) : file_(std::move(path)) {}

    const IniFile& File() const { return file_; }

    // The value from section; when that is empty, the value from section + "+" with one
    // blank put in front (unless it begins with one already).
    std::wstring ReadSetting(const std::wstring& section, const std::wstring& key) const;
    std::wstring ReadValue(const std::wstring& section, const std::wstring& key) const {
        return file_.ReadValue(section, key);
    }

  private:
    IniFile file_;
};

}  // namespace launcher
