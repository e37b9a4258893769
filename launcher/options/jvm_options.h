#pragma once
// The JVM's environment and option list, made from the settings and the chosen runtime.
#include <string>

#include "options/jvm_request.h"
#include "options/memory_option.h"
#include "settings/ini_file.h"
#include "settings/launcher_settings.h"

namespace launcher {

// What GlobalMemoryStatus reports for this process.
MemoryFigures CurrentMemoryFigures();

// Sets TS_JVM_PATH, TS_JVM_HOME and Path for the JVM and its children, for a program at
// programPath; returns the JVM options that the settings' library path makes.
std::vector<std::string> PrepareEnvironmentFor(const LauncherSettings& settings,
                                               const std::wstring& jvmLibraryPath,
                                               const std::wstring& programPath);
// The same for this program.
std::vector<std::string> PrepareEnvironment(const LauncherSettings& settings,
                                            const std::wstring& jvmLibraryPath);

// Adds the class path and the VM parameters to the request's options, sets the thread stack
// and the redirection, and appends the "Cmd" arguments, all read through reader, for a
// program at programPath, on a machine with the given memory. False when the class path is
// empty: that is reported, and nothing is added.
bool AssembleOptionsFrom(JvmRequest& request, const SettingsReader& reader,
                         const std::wstring& programPath, const MemoryFigures& memory);
// The same with this program's settings file.
bool AssembleOptions(JvmRequest& request);

// Appends "<folder>\<name>;" to classPath for every match of entry (relative entries lie
// below programFolder, which has no trailing "\"), in the order the file system lists them.
void ExpandClassPathEntry(const std::wstring& entry, const std::wstring& programFolder,
                          std::wstring& classPath);

}  // namespace launcher
