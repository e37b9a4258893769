#pragma once
// The system's folder picker (the shell's "browse for folder" dialog), driven through its
// tree view as a user would click through it.
#include <windows.h>

#include <string>

namespace ui_driver {

// Selects path (a drive root such as "C:\" or a folder below one) in the picker's tree, from
// the desktop through the computer and the drive, and presses OK. False when an item along the
// way is missing.
bool ChooseFolder(HWND picker, const std::wstring& path);

}  // namespace ui_driver
