#pragma once
// The settings' values as the start-up trace lists them.
#include <string>

#include "settings/launcher_settings.h"

namespace launcher::trace {

// "settings file: <path>" and one line per value the runtime search and the start use.
void WriteSettings(const std::wstring& path, const LauncherSettings& settings);

// "1.8.0.251": all four components, as the bounds are compared.
std::wstring FullVersion(const Version& version);

}  // namespace launcher::trace
