#pragma once
// Expansion of %NAME% references in texts of any length.
#include <string>

namespace launcher {

// As ExpandEnvironmentStringsW, which takes at most 32K characters: a longer text, or one
// whose expansion would be longer, is expanded one ";"-separated piece at a time, so that a
// class path of thousands of jars arrives whole. A text without "%" stays as it is.
std::wstring ExpandVariables(const std::wstring& text);

}  // namespace launcher
