#include <windows.h>

#include "command_line.h"
#include "messages/catalogue.h"
#include "messages/error_report.h"
#include "options/class_path_entry.h"
#include "options/jvm_options.h"
#include "options/vm_parameters.h"
#include "settings/setting_values.h"
#include "settings/settings_path_rules.h"
#include "settings/settings_paths.h"
#include "options/environment_text.h"
#include "support/split_fields.h"
#include "support/text_conversion.h"

namespace launcher {
namespace {

constexpr wchar_t kDpiAwareOption[] = L"-Dsun.java2d.dpiaware=true";

std::wstring ClassPathText(const SettingsReader& reader, const std::wstring& programPath) {
    const std::wstring programFolder = ProgramFolder(programPath);
    std::wstring classPath;
    for (const std::wstring& written :
         support::SplitFields(reader.ReadSetting(kSectionClassPath, L"Class Path"), L";")) {
        const std::wstring entry = ExpandVariables(written);
        if (NeedsClassPathSearch(entry)) {
            ExpandClassPathEntry(entry, programFolder, classPath);
        } else {
            // An absolute file is taken as written: the JVM reports it if it is missing.
            classPath += entry;
            classPath += L';';
        }
    }
    if (IsYesIgnoringCase(reader.ReadSetting(kSectionApplication, L"Embedded Jar"))) {
        classPath = programPath + L";" + classPath;
    }
    return classPath;
}

// The VM parameters with the launcher's memory notation resolved; "-Xss" also sizes the
// launcher thread.
void AddVmParameters(JvmRequest& request, const SettingsReader& reader, const MemoryFigures& memory,
                     std::vector<std::wstring>& options) {
    for (std::wstring option :
         SplitVmParameters(reader.ReadSetting(kSectionRuntime, L"Virtual Machine Parameters"))) {
        if (IsMemoryShareOption(option)) {
            option = ConvertMemoryOption(option, memory);
        }
        if (option.starts_with(L"-Xss")) {
            request.threadStackSize = ParseStackSize(std::wstring_view(option).substr(4));
        }
        options.push_back(std::move(option));
    }
}

std::wstring ExpandedSetting(const SettingsReader& reader, const wchar_t* key) {
    const std::wstring value = reader.ReadSetting(kSectionApplication, key);
    return value.empty() ? value : ExpandVariables(value);
}

}  // namespace

MemoryFigures CurrentMemoryFigures() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    ::GlobalMemoryStatus(&status);
    return {status.dwTotalPhys, status.dwAvailVirtual};
}

bool AssembleOptionsFrom(JvmRequest& request, const SettingsReader& reader,
                         const std::wstring& programPath, const MemoryFigures& memory) {
    const std::wstring classPath = ClassPathText(reader, programPath);
    if (classPath.empty()) {
        PrintError(LoadMessage(text::kNoClassPath));
        return false;
    }
    std::vector<std::wstring> options{L"-Djava.class.path=" + classPath};
    AddVmParameters(request, reader, memory, options);
    for (const std::wstring& option : options) {
        if (option == kDpiAwareOption) {
            ::SetProcessDPIAware();
        }
        request.options.push_back(support::WideToAnsi(ExpandVariables(option)));
    }

    OutputFiles& output = request.output;
    output.outputFile = ExpandedSetting(reader, L"Output File");
    output.outputAppend = reader.ReadSetting(kSectionApplication, L"Output Append") == L"yes";
    output.errorFile = ExpandedSetting(reader, L"Error File");
    output.errorAppend = reader.ReadSetting(kSectionApplication, L"Error Append") == L"yes";

    for (std::wstring& token : SplitCommandTokens(ExpandedSetting(reader, L"Cmd"))) {
        if (!token.empty()) {
            request.arguments.push_back(std::move(token));
        }
    }
    return true;
}

bool AssembleOptions(JvmRequest& request) {
    const std::optional<std::wstring> program = ModulePath();
    const std::optional<std::wstring> settingsFile =
        program ? SettingsPathFor(*program) : std::nullopt;
    if (!settingsFile) {
        // Without a settings file there is no class path either.
        PrintError(LoadMessage(text::kNoClassPath));
        return false;
    }
    return AssembleOptionsFrom(request, SettingsReader(*settingsFile), *program,
                               CurrentMemoryFigures());
}

}  // namespace launcher
