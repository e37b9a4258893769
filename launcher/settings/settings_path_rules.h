#pragma once
// Where the settings files lie, derived from a program path; no system calls.
#include <optional>
#include <string>
#include <string_view>

namespace launcher {

// The program path cut after the last "." of its file name, followed by "ini":
// C:\App\start.exe gives C:\App\start.ini. Nothing when the file name has no ".".
std::optional<std::wstring> SettingsPathFor(std::wstring_view programPath);

// The file name without everything from its last "." (the whole name without a ".").
std::wstring ProgramBaseName(std::wstring_view programPath);

// The path without its last component and without a trailing "\".
std::wstring ProgramFolder(std::wstring_view programPath);

// "Product Name" without \ ? " | > < : / * so that it can name a folder.
std::wstring SanitizeProductName(std::wstring_view productName);

// appData\<sanitised product name>\<product code>\<base name>.ini
std::wstring UserSettingsPathFor(std::wstring_view appData, std::wstring_view productName,
                                 std::wstring_view productCode, std::wstring_view programPath);

// A "JRE Path" that is not "X:..." or "\\..." (or is one character long) is taken as
// relative to the program folder.
std::wstring MakeJrePathAbsolute(std::wstring_view value, std::wstring_view programFolder);

}  // namespace launcher
