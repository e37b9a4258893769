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

// Takes the library when one was found; the caller ends the search then.
bool Take(Launcher& launcher, JvmLibrary library, std::wstring_view source,
          const std::wstring& home) {
    if (library.path.empty()) {
        trace::Write(L"runtime source ", source, L": no jvm.dll in ", home);
        return false;
    }
    trace::Write(L"runtime source ", source, L": found ", library.path);
    launcher.jvmLibraryPath = std::move(library.path);
    return true;
}

bool FromConfiguredPath(Launcher& launcher) {
    const LauncherSettings& settings = launcher.settings;
    if (settings.jrePath.empty()) {
        trace::Write(L"runtime source JRE Path: not set");
        return false;
    }
    // Versions are not checked: the folder was chosen on purpose.
    const std::wstring home = WithTrailingBackslash(settings.jrePath);
    if (!Take(launcher, FindJvmLibrary(home, settings.jvmType), L"JRE Path", home)) {
        return false;
    }
    CheckPairBitness(launcher);
    return true;
}

bool FromProgramFolder(Launcher& launcher, const std::wstring& programPath) {
    const size_t slash = programPath.rfind(L'\\');
    if (slash == std::wstring::npos) {
        return false;
    }
    std::wstring home = programPath.substr(0, slash + 1);
    if (!HasJavaMarker(home)) {
        home += L"jre\\";
        if (!HasJavaMarker(home)) {
            trace::Write(L"runtime source program folder: no bin\\java.dll in ",
                         home.substr(0, slash + 1), L" nor in ", home);
            return false;
        }
    }
    // A runtime shipped with the program is its own: neither version nor bitness is checked.
    return Take(launcher, FindJvmLibrary(home, launcher.settings.jvmType), L"program folder", home);
}

bool FromRegistry(Launcher& launcher) {
    std::optional<std::wstring> home = SearchRegistry(launcher, support::RegistryView::Default);
    if (!home && !launcher.settings.pairProduct.empty()) {
        home = SearchRegistry(launcher, support::RegistryView::Bits64);
    } else if (!home && sizeof(void*) == 4) {
        trace::Write(L"registry 64-bit view: skipped, wrong bitness without Pair Product");
    }
    if (!home) {
        trace::Write(L"runtime source registry: nothing found");
        return false;
    }
    return Take(launcher, FindJvmLibrary(*home, launcher.settings.jvmType), L"registry", *home);
}

bool FromJavaHome(Launcher& launcher) {
    const std::wstring unset = L"%JAVA_HOME%";
    const std::wstring value = support::ExpandEnvironment(unset);
    if (value.empty() || value == unset) {
        trace::Write(L"runtime source JAVA_HOME: not set");
        return false;
    }
    const std::wstring home = WithTrailingBackslash(value);
    if (!HasJavaMarker(home)) {
        trace::Write(L"runtime source JAVA_HOME: no bin\\java.dll in ", home);
        return false;
    }
    if (!Take(launcher, FindJvmLibrary(home, launcher.settings.jvmType), L"JAVA_HOME", home)) {
        return false;
    }
    CheckPairBitness(launcher);
    return true;
}

// Only reached when no specified source found a runtime: it can only spare the dialog.
bool FromOpenJdkRegistrations(Launcher& launcher) {
    const std::wstring found = SearchOpenJdkRegistrations(launcher);
    if (found.empty()) {
        trace::Write(L"runtime source OpenJDK registrations: nothing found");
        return false;
    }
    trace::Write(L"runtime source OpenJDK registrations: found ", found);
    return true;
}

bool FromUser(Launcher& launcher, const std::wstring& programPath) {
    const LauncherSettings& settings = launcher.settings;
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
        return false;
    }
    RuntimeDialogAnswer answer = ShowRuntimeNotFoundDialog(message, settings.jvmType);
    if (!answer.accepted || answer.jvmLibraryPath.empty()) {
        trace::Write(L"runtime source dialog: no runtime chosen");
        return false;
    }
    trace::Write(L"runtime source dialog: chosen ", answer.jvmLibraryPath);
    launcher.jvmLibraryPath = std::move(answer.jvmLibraryPath);
    CheckPairBitness(launcher);
    // Remembered so that the next start finds it as "JRE Path".
    if (SettingsPathFor(programPath)) {
        WriteBackJrePath(settings, programPath, WithTrailingBackslash(answer.folder));
    }
    return true;
}

}  // namespace

bool FindRuntimeForProgram(Launcher& launcher, const std::wstring& programPath) {
    const trace::Phase phase(L"runtime search");
    const bool found = FromConfiguredPath(launcher) || FromProgramFolder(launcher, programPath) ||
                       FromRegistry(launcher) || FromJavaHome(launcher) ||
                       FromOpenJdkRegistrations(launcher) || FromUser(launcher, programPath);
    if (found) {
        trace::Write(L"jvm.dll: ", launcher.jvmLibraryPath,
                     std::wstring_view(
                         launcher.is64BitRuntime ? L" (64-bit: the pair launcher runs it)" : L""));
    }
    return found;
}

bool FindRuntime(Launcher& launcher) {
    const std::optional<std::wstring> program = ModulePath();
    return FindRuntimeForProgram(launcher, program.value_or(std::wstring()));
}

}  // namespace launcher
