#include "settings/launcher_settings.h"

#include "messages/catalogue.h"
#include "messages/error_report.h"
#include "settings/ini_file.h"
#include "settings/setting_values.h"
#include "settings/settings_path_rules.h"
#include "settings/settings_paths.h"
#include "trace/settings_trace.h"
#include "trace/startup_trace.h"
#include "support/trim_blanks.h"
#include "windowed/windowed_pair.h"

namespace launcher {
namespace {

// In application mode a per-user settings file, when it exists, alone decides "JRE Path":
// it is where the runtime the user picked is remembered.
std::wstring ReadJrePath(const SettingsReader& reader, const LauncherSettings& settings,
                         const std::wstring& programPath) {
    if (!settings.isService) {
        const std::optional<std::wstring> userFile =
            UserSettingsFilePath(settings, programPath, false);
        if (userFile && FileFound(*userFile)) {
            trace::Write(L"per-user settings file (JRE Path): ", *userFile);
            return IniFile(*userFile).ReadValue(kSectionRuntime, L"JRE Path");
        }
    }
    return reader.ReadSetting(kSectionRuntime, L"JRE Path");
}

}  // namespace

bool LoadLauncherSettingsFor(const std::wstring& programPath, LauncherSettings& settings) {
    const std::optional<std::wstring> path = SettingsPathFor(programPath);
    if (!path) {
        trace::Write(L"settings file: none for ", programPath);
        return false;
    }
    const SettingsReader reader(*path);
    const auto read = [&reader](const wchar_t* section, const wchar_t* key) {
        return reader.ReadSetting(section, key);
    };

    settings.productCode = reader.ReadValue(kSectionProduct, L"Product Code");
    settings.productName = reader.ReadValue(kSectionProduct, L"Product Name");
    settings.minimumVersion = ParseMinimumVersion(read(kSectionRuntime, L"Minimum Version"));
    settings.maximumVersion = ParseMaximumVersion(read(kSectionRuntime, L"Maximum Version"));

    settings.isService = read(kSectionApplication, L"Application Type") == L"service";
    if (settings.isService) {
        settings.omitServiceName = !read(kSectionApplication, L"Omit Service Name").empty();
    }

    settings.preferredVersions =
        SplitPreferredVersions(read(kSectionRuntime, L"Preferred versions"));
    settings.jrePath =
        MakeJrePathAbsolute(ReadJrePath(reader, settings, programPath), ProgramFolder(programPath));
    settings.jvmType = ParseJvmType(read(kSectionRuntime, L"JVM Type"));
    ApplyJvmSource(read(kSectionRuntime, L"JVM Source"), settings);
    const std::wstring provider = read(kSectionRuntime, L"VM Provider");
    if (!provider.empty()) {
        ApplyVmProvider(provider, settings);
    }

    const std::wstring mainClass = read(kSectionRuntime, L"Main Class");
    if (mainClass.empty()) {
        trace::Write(L"settings file: ", *path, L": no Main Class");
        PrintError(LoadMessage(text::kNoMainClass));
        return false;
    }
    settings.mainClass = InternalClassName(mainClass);

    settings.failureCheck = IsYesIgnoringCase(read(kSectionApplication, L"Failure Check"));
    settings.overrideWorkingDir =
        IsYesIgnoringCase(read(kSectionApplication, L"Override WorkingDir"));
    settings.systemPath = read(kSectionRuntime, L"System Path");
    settings.libraryPath = read(kSectionRuntime, L"Library Path");
    settings.pairProduct = PairProductForThisProgram(read(kSectionApplication, L"Pair Product"));
    settings.pairReturnCode = IsYesIgnoringCase(read(kSectionApplication, L"Pair Return Code"));
    settings.searchOpenJdkRegistrations =
        !IsYesIgnoringCase(read(kSectionRuntime, L"Ignore OpenJDK Registry"));
    settings.classDataArchive = EqualsIgnoringCase(
        support::TrimBlanks(read(kSectionRuntime, L"Class Data Archive")), L"on");
    settings.exceptionDialog = !EqualsIgnoringCase(
        support::TrimBlanks(read(kSectionApplication, L"Exception Dialog")), L"off");
    trace::WriteSettings(*path, settings);
    return true;
}

bool LoadLauncherSettings(LauncherSettings& settings) {
    const std::optional<std::wstring> program = ModulePath();
    return program && LoadLauncherSettingsFor(*program, settings);
}

}  // namespace launcher
