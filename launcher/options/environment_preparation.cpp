#include <windows.h>

#include "options/jvm_options.h"
#include "options/runtime_paths.h"
#include "settings/settings_path_rules.h"
#include "settings/settings_paths.h"
#include "options/environment_text.h"
#include "support/text_conversion.h"

namespace launcher {

std::vector<std::string> PrepareEnvironmentFor(const LauncherSettings& settings,
                                               const std::wstring& jvm,
                                               const std::wstring& programPath) {
    std::vector<std::string> options;
    ::SetEnvironmentVariableW(L"TS_JVM_PATH", jvm.c_str());
    ::SetEnvironmentVariableW(L"TS_JVM_HOME", RuntimeHomeFolder(jvm).c_str());

    // Expanded before Path changes below, so %Path% is the path the launcher was given.
    if (!settings.libraryPath.empty()) {
        const std::wstring libraryPath = ExpandVariables(LibraryPathText(
            settings.libraryPath, ProgramFolder(programPath), RuntimeLibFolder(jvm)));
        options.push_back(support::WideToAnsi(L"-Djava.library.path=" + libraryPath));
    }

    const std::wstring path =
        ExpandVariables(PathVariableText(settings.systemPath, JvmBinFolder(jvm)));
    ::SetEnvironmentVariableW(L"Path", path.c_str());
    return options;
}

std::vector<std::string> PrepareEnvironment(const LauncherSettings& settings,
                                            const std::wstring& jvmLibraryPath) {
    const std::optional<std::wstring> program = ModulePath();
    return PrepareEnvironmentFor(settings, jvmLibraryPath, program.value_or(std::wstring()));
}

}  // namespace launcher
