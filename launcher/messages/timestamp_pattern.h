#pragma once
// Date and time inside the names of the Java program's output files.
#include <windows.h>

#include <string>

namespace launcher {

// Rewrites name in place when it holds a "%": the picture between the first and the last
// "%" is replaced by the time formatted with the user's locale (an "L" stands for the
// milliseconds; the time pictures are applied before the date pictures), both "%" go.
void ExpandTimestampPattern(std::wstring& name, const SYSTEMTIME& time);

}  // namespace launcher
