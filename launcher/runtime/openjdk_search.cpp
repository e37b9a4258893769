#include "runtime/openjdk_search.h"

#include "runtime/candidate_trace.h"
#include "runtime/openjdk_registrations.h"
#include "runtime/pair_bitness.h"
#include "settings/settings_paths.h"
#include "support/pe_image_probe.h"
#include "trace/settings_trace.h"
#include "trace/startup_trace.h"

namespace launcher {
namespace {

struct Registered {
    std::wstring label;  // the subkey below the registration key, for the trace
    std::wstring versionText;
    std::wstring home;  // as the installer wrote it
};

// <key><version>\<vm>\MSI: every VM flavour folder of every version.
std::vector<Registered> ReadVersionVmMsi(const OpenJdkRegistration& registration,
                                         support::RegistryView view) {
    std::vector<Registered> found;
    const std::wstring key = registration.key;
    for (const std::wstring& version : support::RegistryKey(key, view).SubkeyNames()) {
        const std::wstring versionKey = key + version + L"\\";
        for (const std::wstring& vm : support::RegistryKey(versionKey, view).SubkeyNames()) {
            found.push_back({version + L"\\" + vm, version,
                             support::RegistryKey(versionKey + vm + L"\\MSI", view)
                                 .ReadText(registration.homeValue)});
        }
    }
    return found;
}

std::vector<Registered> ReadNamedInstall(const OpenJdkRegistration& registration,
                                         support::RegistryView view) {
    std::vector<Registered> found;
    const std::wstring key = registration.key;
    for (const std::wstring& name : support::RegistryKey(key, view).SubkeyNames()) {
        const support::RegistryKey install(key + name, view);
        std::wstring version = install.ReadText(L"CurrentVersion");
        found.push_back({name, version.empty() ? name : std::move(version),
                         install.ReadText(registration.homeValue)});
    }
    return found;
}

// This process loads an image of its own bitness; a 32-bit one with a pair launcher also
// hands a 64-bit one over.
bool LoadableByRun(const std::wstring& jvmLibrary, const LauncherSettings& settings) {
    const support::PeImageProbe image(jvmLibrary);
    if (!image.Valid()) {
        return false;
    }
    constexpr bool kThis64Bit = sizeof(void*) == 8;
    return image.IsPe32Plus() == kThis64Bit ||
           (!kThis64Bit && image.IsPe32Plus() && !settings.pairProduct.empty());
}

}  // namespace

JvmLibrary FindOpenJdkLibrary(const std::wstring& home, int jvmType) {
    JvmLibrary library = FindJvmLibrary(home, jvmType);
    if (library.path.empty() && jvmType == kJvmTypeAny) {
        library = FindJvmLibrary(home, kJvmTypeServer);
    }
    return library;
}

std::vector<RuntimeCandidate> CollectOpenJdkRuntimes(const LauncherSettings& settings,
                                                     support::RegistryView view) {
    std::vector<RuntimeCandidate> candidates;
    if (!OpenJdkSearchWanted(settings)) {
        trace::Write(
            L"OpenJDK registrations (", ViewName(view), L"): skipped, ",
            std::wstring_view(settings.searchOpenJdkRegistrations ? L"vendor not accepted"
                                                                  : L"Ignore OpenJDK Registry"));
        return candidates;
    }
    for (const OpenJdkRegistration& registration : kOpenJdkRegistrations) {
        const std::wstring_view key = registration.key;
        if (registration.kind && !OpenJdkKindSearched(*registration.kind, settings)) {
            trace::Write(L"registry key HKLM\\", key, L" (", ViewName(view),
                         L"): skipped, kind not accepted");
            continue;
        }
        if (trace::On()) {
            const bool found = support::RegistryKey(key, view).IsOpen();
            trace::Write(L"registry key HKLM\\", key, L" (", ViewName(view), L")",
                         std::wstring_view(found ? L"" : L": not found"));
        }
        const std::vector<Registered> registered =
            registration.layout == OpenJdkLayout::VersionVmMsi
                ? ReadVersionVmMsi(registration, view)
                : ReadNamedInstall(registration, view);
        for (const Registered& entry : registered) {
            Version version;
            ParseVersion(entry.versionText, 0, version);
            if (!WithinVersionBounds(version, settings.minimumVersion, settings.maximumVersion)) {
                trace::Write(L"candidate ", entry.label, L": rejected, version ",
                             trace::FullVersion(version), L" out of bounds");
                continue;
            }
            if (entry.home.empty()) {
                trace::Write(L"candidate ", entry.label, L": rejected, no ",
                             std::wstring_view(registration.homeValue));
                continue;
            }
            std::wstring home = entry.home;
            if (!home.ends_with(L'\\')) {
                home += L'\\';
            }
            const RuntimeKind kind = registration.kind.value_or(
                FileFound(home + L"bin\\javac.exe") ? RuntimeKind::Jdk : RuntimeKind::Jre);
            if (!OpenJdkKindSearched(kind, settings)) {
                trace::Write(L"candidate ", entry.label, L": rejected, kind ", KindName(kind),
                             L" not accepted");
                continue;
            }
            const JvmLibrary library = FindOpenJdkLibrary(home, settings.jvmType);
            if (library.path.empty()) {
                trace::Write(L"candidate ", entry.label, L": rejected, no jvm.dll in ", home);
                continue;
            }
            if (!LoadableByRun(library.path, settings)) {
                trace::Write(L"candidate ", entry.label, L": rejected, wrong bitness of ",
                             library.path);
                continue;
            }
            trace::Write(L"candidate ", entry.label, L": taken, ", library.path);
            candidates.push_back(
                {version, std::move(home), library.isServer, OpenJdkKindPreferred(kind, settings)});
        }
    }
    return candidates;
}

std::optional<RuntimeChoice> SearchOpenJdkRegistrations(const LauncherSettings& settings) {
    std::vector<RuntimeCandidate> candidates =
        CollectOpenJdkRuntimes(settings, support::RegistryView::Default);
    if (candidates.empty() && !settings.pairProduct.empty()) {
        candidates = CollectOpenJdkRuntimes(settings, support::RegistryView::Bits64);
    } else if (candidates.empty() && OpenJdkSearchWanted(settings) && sizeof(void*) == 4) {
        trace::Write(
            L"OpenJDK registrations (64-bit view): skipped, wrong bitness without "
            L"Pair Product");
    }
    if (candidates.empty()) {
        return std::nullopt;
    }
    OrderCandidates(candidates, settings.favorKind, settings.jvmType);
    const std::size_t index = ChooseCandidate(candidates, settings.preferredVersions);
    TraceOrder(candidates, index);
    const RuntimeCandidate& chosen = candidates[index];
    std::wstring path = FindOpenJdkLibrary(chosen.home, settings.jvmType).path;
    const bool is64Bit = RunsInPairLauncher(settings, path);
    return RuntimeChoice{std::move(path), is64Bit};
}

}  // namespace launcher
