#include "runtime/find_runtime.h"

#include <optional>

#include "messages/catalogue.h"
#include "messages/error_report.h"
#include "res/download_address.h"
#include "runtime/jvm_library_probe.h"
#include "runtime/openjdk_search.h"
#include "runtime/pair_bitness.h"
#include "runtime/registry_search.h"
#include "runtime/requirement_phrase.h"
#include "runtime/runtime_not_found_dialog.h"
#include "settings/jre_path_writeback.h"
#include "settings/settings_path_rules.h"
#include "settings/settings_paths.h"
#include "support/file_system.h"
#include "trace/startup_trace.h"
#include "windowed/program_subsystem.h"

namespace launcher {
namespace {

std::wstring WithTrailingBackslash(std::wstring folder) {
    if (!folder.ends_with(L'\\')) {
        folder += L'\\';
    }
    return folder;
}

// What every source is given.
struct SearchInput {
    const LauncherSettings& settings;
    const std::wstring& programPath;
    RuntimeQuestion askUser;
};

// The library of a source's runtime home, when there is one.
std::optional<RuntimeChoice> Take(JvmLibrary library, std::wstring_view source,
                                  const std::wstring& home) {
    if (library.path.empty()) {
        trace::Write(L"runtime source ", source, L": no jvm.dll in ", home);
        return std::nullopt;
    }
    trace::Write(L"runtime source ", source, L": found ", library.path);
    return RuntimeChoice{std::move(library.path)};
}

// The runtime's bitness decides where it runs, for the sources that do not know it.
std::optional<RuntimeChoice> WithPairBitness(const LauncherSettings& settings,
                                             std::optional<RuntimeChoice> choice) {
    if (choice) {
        choice->is64Bit = RunsInPairLauncher(settings, choice->jvmLibraryPath);
    }
    return choice;
}

std::optional<RuntimeChoice> FromConfiguredPath(const SearchInput& input) {
    const LauncherSettings& settings = input.settings;
    if (settings.jrePath.empty()) {
        trace::Write(L"runtime source JRE Path: not set");
        return std::nullopt;
    }
    // Versions are not checked: the folder was chosen on purpose.
    const std::wstring home = WithTrailingBackslash(settings.jrePath);
    return WithPairBitness(settings,
                           Take(FindJvmLibrary(home, settings.jvmType), L"JRE Path", home));
}

std::optional<RuntimeChoice> FromProgramFolder(const SearchInput& input) {
    const LauncherSettings& settings = input.settings;
    const std::wstring& programPath = input.programPath;
    const size_t slash = programPath.rfind(L'\\');
    if (slash == std::wstring::npos) {
        return std::nullopt;
    }
    std::wstring home = programPath.substr(0, slash + 1);
    if (!HasJavaMarker(home)) {
        home += L"jre\\";
        if (!HasJavaMarker(home)) {
            trace::Write(L"runtime source program folder: no bin\\java.dll in ",
                         home.substr(0, slash + 1), L" nor in ", home);
            return std::nullopt;
        }
    }
    // A runtime shipped with the program is its own: neither version nor bitness is checked.
    return Take(FindJvmLibrary(home, settings.jvmType), L"program folder", home);
}

std::optional<RuntimeChoice> FromRegistry(const SearchInput& input) {
    const LauncherSettings& settings = input.settings;
    bool is64Bit = false;
    std::optional<std::wstring> home = SearchRegistry(settings, support::RegistryView::Default);
    if (!home && !settings.pairProduct.empty()) {
        home = SearchRegistry(settings, support::RegistryView::Bits64);
        is64Bit = home.has_value();
    } else if (!home && sizeof(void*) == 4) {
        trace::Write(L"registry 64-bit view: skipped, wrong bitness without Pair Product");
    }
    if (!home) {
        trace::Write(L"runtime source registry: nothing found");
        return std::nullopt;
    }
    std::optional<RuntimeChoice> choice =
        Take(FindJvmLibrary(*home, settings.jvmType), L"registry", *home);
    if (choice) {
        choice->is64Bit = is64Bit;
    }
    return choice;
}

std::optional<RuntimeChoice> FromJavaHome(const SearchInput& input) {
    const LauncherSettings& settings = input.settings;
    const std::wstring unset = L"%JAVA_HOME%";
    const std::wstring value = support::ExpandEnvironment(unset);
    if (value.empty() || value == unset) {
        trace::Write(L"runtime source JAVA_HOME: not set");
        return std::nullopt;
    }
    const std::wstring home = WithTrailingBackslash(value);
    if (!HasJavaMarker(home)) {
        trace::Write(L"runtime source JAVA_HOME: no bin\\java.dll in ", home);
        return std::nullopt;
    }
    return WithPairBitness(settings,
                           Take(FindJvmLibrary(home, settings.jvmType), L"JAVA_HOME", home));
}

// Only reached when no specified source found a runtime: it can only spare the dialog.
std::optional<RuntimeChoice> FromOpenJdkRegistrations(const SearchInput& input) {
    const LauncherSettings& settings = input.settings;
    std::optional<RuntimeChoice> found = SearchOpenJdkRegistrations(settings);
    if (!found) {
        trace::Write(L"runtime source OpenJDK registrations: nothing found");
        return std::nullopt;
    }
    trace::Write(L"runtime source OpenJDK registrations: found ", found->jvmLibraryPath);
    return found;
}

std::optional<RuntimeChoice> FromUser(const SearchInput& input) {
    const LauncherSettings& settings = input.settings;
    const std::wstring& programPath = input.programPath;
    const std::wstring phrase =
        BuildRequirementPhrase(settings.minimumVersion, settings.maximumVersion);
    const unsigned messageId =
        settings.jvmType == kJvmTypeServer ? text::kNoRuntimeServer : text::kNoRuntime;
    const std::wstring message = FormatCatalogueMessage(messageId, std::wstring_view(phrase));
    // A service started by the service manager has a station of its own, where nobody could
    // see or answer the dialog: the search fails at once, and the output says why.
    if (!OnInteractiveWindowStation()) {
        trace::Write(L"runtime source dialog: not shown, no interactive window station");
        PrintError(message + L" " TS_DOWNLOAD_ADDRESS);
        return std::nullopt;
    }
    RuntimeDialogAnswer answer = input.askUser(message, settings.jvmType);
    if (!answer.accepted || answer.jvmLibraryPath.empty()) {
        trace::Write(L"runtime source dialog: no runtime chosen");
        return std::nullopt;
    }
    trace::Write(L"runtime source dialog: chosen ", answer.jvmLibraryPath);
    // Remembered so that the next start finds it as "JRE Path".
    if (SettingsPathFor(programPath)) {
        WriteBackJrePath(settings, programPath, WithTrailingBackslash(answer.folder));
    }
    return WithPairBitness(settings, RuntimeChoice{std::move(answer.jvmLibraryPath)});
}

}  // namespace

std::optional<RuntimeChoice> FindRuntimeForProgram(const LauncherSettings& settings,
                                                   const std::wstring& programPath,
                                                   RuntimeQuestion askUser) {
    using Source = std::optional<RuntimeChoice> (*)(const SearchInput&);
    const SearchInput input{settings, programPath, askUser};
    // The places in the order they are asked; the first that yields a runtime ends the search.
    constexpr Source kSources[] = {FromConfiguredPath, FromProgramFolder,        FromRegistry,
                                   FromJavaHome,       FromOpenJdkRegistrations, FromUser};
    const trace::Phase phase(L"runtime search");
    for (const Source source : kSources) {
        if (std::optional<RuntimeChoice> choice = source(input)) {
            trace::Write(
                L"jvm.dll: ", choice->jvmLibraryPath,
                std::wstring_view(choice->is64Bit ? L" (64-bit: the pair launcher runs it)" : L""));
            return choice;
        }
    }
    return std::nullopt;
}

std::optional<RuntimeChoice> FindRuntime(const LauncherSettings& settings) {
    const std::optional<std::wstring> program = ModulePath();
    return FindRuntimeForProgram(settings, program.value_or(std::wstring()),
                                 [](const std::wstring& message, int jvmType) {
                                     return ShowRuntimeNotFoundDialog(message, jvmType);
                                 });
}

}  // namespace launcher
