#pragma once
// The archive folder on disk, for the JNI layer's naming rules.
#include <string>

#include "jvm/class_archive.h"

namespace launcher {

class WindowsArchiveFolder final : public jvm::ArchiveFolder {
  public:
    // folder ends with "\".
    explicit WindowsArchiveFolder(std::wstring folder) : folder_(std::move(folder)) {}

    std::vector<File> Files(std::string_view prefix) override;
    std::string Checksum(const std::string& name) override;
    bool Move(const std::string& from, const std::string& to) override;
    void Remove(const std::string& name) override;

  private:
    std::wstring PathOf(std::string_view name) const;

    std::wstring folder_;
};

}  // namespace launcher
