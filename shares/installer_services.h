#pragma once
// The thin layer through which the entry points talk to the running installation: one owner
// per installer handle, reads of any length, formatting and progress messages.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace pubdirs {

// Owns one database, view or record handle. The installation handle given to an entry point
// is never owned.
class InstallerHandle {
  public:
    InstallerHandle() = default;
    explicit InstallerHandle(MSIHANDLE handle) : handle_(handle) {}
    ~InstallerHandle() { Reset(); }
    InstallerHandle(const InstallerHandle&) = delete;
    InstallerHandle& operator=(const InstallerHandle&) = delete;
    InstallerHandle(InstallerHandle&& other) noexcept : handle_(other.Release()) {}
    InstallerHandle& operator=(InstallerHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    MSIHANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }
    // Closes the current handle first.
    void Reset(MSIHANDLE handle = 0);
    // Closes the current handle and hands out the slot for a call that returns a new one.
    MSIHANDLE* Receive() {
        Reset();
        return &handle_;
    }
    MSIHANDLE Release() {
        const MSIHANDLE handle = handle_;
        handle_ = 0;
        return handle;
    }

  private:
    MSIHANDLE handle_ = 0;
};

// The property's text; nothing when the installer does not report a length for it.
std::optional<std::wstring> ReadInstallerProperty(MSIHANDLE install, const std::wstring& name);

// The field's text (1-based field number); nothing when it cannot be read.
std::optional<std::wstring> ReadRecordField(MSIHANDLE record, unsigned int field);

// Replaces text by the installer's formatting of it (bracketed property references resolved).
// An empty text stays as it is. On failure the answer is false and the text may be empty.
bool FormatInstallerText(MSIHANDLE install, std::wstring& text);

// Sends a progress message whose fields are the texts up to the first absent one.
// 0, or ERROR_INSTALL_USEREXIT when the user cancels, or ERROR_INSTALL_FAILURE.
UINT SendActionData(MSIHANDLE install,
                    std::initializer_list<std::optional<std::wstring_view>> texts);

// Writes one line into the installer log, taken literally (no bracket formatting).
void WriteLogLine(MSIHANDLE install, const std::wstring& line);

}  // namespace pubdirs
