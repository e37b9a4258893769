#pragma once
// Error lines of a windowed program that has no standard output (a start from Explorer or a
// shortcut): gathered during the start and shown together in one message box at its end, so
// that a failed start does not end without a word.
#include <windows.h>

#include <string_view>

namespace launcher {

// Takes an error line for the box when this is the windowed program and standard output
// is not attached to anything; false when the line belongs on standard output.
bool TakeForErrorBox(std::wstring_view line);

// Whether a standard stream (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE) goes somewhere.
bool StandardStreamAttached(DWORD stream);

// Shows the lines taken so far, if any, in one box when it goes out of scope: title the
// program's file name without extension, error icon, the lines as they would have been
// written. Never in service mode (read when the start ends, once the settings have said
// it) and never off the interactive window station.
class ErrorBoxAtEnd {
  public:
    explicit ErrorBoxAtEnd(const bool& serviceMode) : serviceMode_(serviceMode) {}
    ~ErrorBoxAtEnd();
    ErrorBoxAtEnd(const ErrorBoxAtEnd&) = delete;
    ErrorBoxAtEnd& operator=(const ErrorBoxAtEnd&) = delete;

  private:
    const bool& serviceMode_;
};

}  // namespace launcher
