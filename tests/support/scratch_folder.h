#pragma once
// A fresh folder below the temp folder, removed with everything in it, however deep.
#include <string>
#include <string_view>

namespace testing_support {

class ScratchFolder {
  public:
    // Reports a test failure when the folder cannot be made.
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's plain path, without a trailing "\".
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(std::wstring_view name) const;

    // Writes bytes to a file below the folder, making its folders; a failure fails the test.
    void Write(std::wstring_view name, std::string_view bytes) const;
    // The bytes of a file below the folder; empty when it is missing.
    std::string Read(std::wstring_view name) const;
    bool Exists(std::wstring_view name) const;

  private:
    std::wstring path_;
};

}  // namespace testing_support
