#include "settings/jre_path_writeback.h"

#include "settings/ini_file.h"
#include "settings/settings_path_rules.h"
#include "settings/settings_paths.h"

namespace launcher {
namespace {

void WriteJrePath(const std::optional<std::wstring>& file, const std::wstring& folder) {
    if (file) {
        IniFile(*file).WriteValue(kSectionRuntime, L"JRE Path", folder);
    }
}

}  // namespace

void WriteBackJrePath(const LauncherSettings& settings, const std::wstring& programPath,
                      const std::wstring& folder) {
    if (settings.isService) {
        WriteJrePath(SettingsPathFor(programPath), folder);
        WriteJrePath(PairSettingsFilePath(settings), folder);
    } else {
        WriteJrePath(UserSettingsFilePath(settings, programPath, true), folder);
        WriteJrePath(PairUserSettingsFilePath(settings), folder);
    }
}

void WriteBackJrePath(const LauncherSettings& settings, const std::wstring& folder) {
    if (const std::optional<std::wstring> program = ModulePath()) {
        WriteBackJrePath(settings, *program, folder);
    }
}

}  // namespace launcher
