#pragma once
// The launcher's error lines on standard output: "Error: <message> \n".
#include <string_view>

namespace launcher {

// Writes the error line at once. On a console the text goes out as UTF-16
// (WriteConsoleW), so umlauts show; into a pipe or file it goes as UTF-8 without a
// byte-order mark, with plain line feeds. Without a standard output it is lost, except in
// the windowed program, which shows it in a box when the start ends (messages/error_box.h).
void PrintError(std::wstring_view message);

// Text 202 with the description text descriptionId and the last error code, which is
// read first thing.
void ReportSystemError(unsigned descriptionId);

// Text 203 with text 213 and the reason for a nonzero JNI_CreateJavaVM result (225 for -1
// to 230 for -6; empty for any other code).
void ReportJvmCreateError(int result);

}  // namespace launcher
