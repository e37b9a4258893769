#pragma once
// The launcher's settings files on this machine.
#include <optional>
#include <string>

#include "settings/launcher_settings.h"

namespace launcher {

// This program's full path; reports text 208 with the error code when it cannot be had.
std::optional<std::wstring> ModulePath();

// The settings file beside this program; nothing when its name has no ".".
std::optional<std::wstring> SettingsFilePath();

// The per-user settings file of programPath below APPDATA; nothing when APPDATA is not
// set. With create, the product-name and product-code folders are made (failures are
// ignored; the file itself is not created).
std::optional<std::wstring> UserSettingsFilePath(const LauncherSettings& settings,
                                                 const std::wstring& programPath, bool create);

// The pair launcher's settings file beside it; nothing without "Pair Product" or a "." in
// its file name.
std::optional<std::wstring> PairSettingsFilePath(const LauncherSettings& settings);

// The pair launcher's per-user settings file, its folders created.
std::optional<std::wstring> PairUserSettingsFilePath(const LauncherSettings& settings);

// True when FindFirstFileW finds the path.
bool FileFound(const std::wstring& path);

}  // namespace launcher
