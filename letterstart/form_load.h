#pragma once
// The whole job of letterstart, run by its hidden form: check the two files, open the letter
// in Word as a form-letter main document with its data source, and leave Word open.
#include <windows.h>

#include <string_view>

namespace letterstart {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = -1;

// Answers the process's exit code. Every failure has shown its box before this returns.
int FormLoad(HWND form, std::wstring_view commandLine);

}  // namespace letterstart
