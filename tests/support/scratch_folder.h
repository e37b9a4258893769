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

// A share \\tsunc\<unique name> with real files, removed with them afterwards: wine serves
// \\server\share from the folder dosdevices\unc\server\share of its prefix, which is
// reached here through drive Z:.
class UncShare {
  public:
    UncShare();
    ~UncShare();
    UncShare(const UncShare&) = delete;
    UncShare& operator=(const UncShare&) = delete;

    // \\tsunc\<name>, empty when the share could not be set up.
    const std::wstring& Path() const { return path_; }

  private:
    std::wstring folder_;
    std::wstring path_;
};

}  // namespace testing_support
