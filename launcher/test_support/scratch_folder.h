#pragma once
// Test help: a fresh folder below the temp folder, removed with everything in it.
#include <windows.h>

#include <string>
#include <string_view>

namespace launcher::testing_help {

class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(std::wstring_view name) const;

    // Writes bytes to a file below the folder, making its folders.
    void Write(std::wstring_view name, std::string_view bytes) const;
    // The bytes of a file below the folder; empty when it is missing.
    std::string Read(std::wstring_view name) const;
    bool Exists(std::wstring_view name) const;

  private:
    std::wstring path_;
};

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const wchar_t* name, const wchar_t* value);
    ~ScopedEnvironment();

  private:
    std::wstring name_;
    std::wstring old_;
    bool hadValue_ = false;
};

// Standard output goes into a file for the life of the object.
class CapturedOutput {
  public:
    CapturedOutput();
    ~CapturedOutput();
    // What was written so far.
    std::string Bytes() const;

  private:
    ScratchFolder folder_;
    HANDLE previous_;
    HANDLE file_;
};

}  // namespace launcher::testing_help
