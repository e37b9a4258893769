#pragma once
// The JVM's environment and option list, made from the settings and the chosen runtime.
#include <string>

#include "launcher.h"
#include "options/memory_option.h"
#include "settings/ini_file.h"

namespace launcher {

// What GlobalMemoryStatus reports for this process.
MemoryFigures CurrentMemoryFigures();

// PrepareEnvironment for a program at programPath.
void PrepareEnvironmentFor(Launcher& launcher, const std::wstring& programPath);

// AssembleOptions with the settings read through reader, for a program at programPath, on a
// machine with the given memory.
bool AssembleOptionsFrom(Launcher& launcher, const SettingsReader& reader,
                         const std::wstring& programPath, const MemoryFigures& memory);

// Appends "<folder>\<name>;" to classPath for every match of entry (relative entries lie
// below programFolder, which has no trailing "\"), in the order the file system lists them.
void ExpandClassPathEntry(const std::wstring& entry, const std::wstring& programFolder,
                          std::wstring& classPath);

}  // namespace launcher
