#pragma once
// The system's folder picker.
#include <windows.h>

#include <optional>
#include <string>

namespace launcher {

// The file-system folder the user picked, exactly as the shell spells it (a drive root keeps
// its "\", other folders have none); nothing when the user cancels or picks no real folder.
std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& title);

}  // namespace launcher
