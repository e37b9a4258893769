#include "runtime/registry_search.h"

#include "runtime/jvm_library_probe.h"
#include "runtime/registry_sources.h"

namespace launcher {

std::vector<RuntimeCandidate> CollectRegistryRuntimes(const LauncherSettings& settings,
                                                      support::RegistryView view) {
    std::vector<RuntimeCandidate> candidates;
    for (const RegistrySource& source : kRegistrySources) {
        if (!IsSourceSearched(source, settings)) {
            continue;
        }
        const std::wstring key = source.key;
        const bool preferred = IsSourcePreferred(source, settings);
        for (const std::wstring& name : support::RegistryKey(key, view).SubkeyNames()) {
            Version version;
            ParseVersion(name, 0, version);
            if (!WithinVersionBounds(version, settings.minimumVersion, settings.maximumVersion)) {
                continue;
            }
            const std::wstring javaHome =
                support::RegistryKey(key + name, view).ReadText(L"JavaHome");
            if (javaHome.empty()) {
                continue;
            }
            std::wstring home = RuntimeHomeFor(source, javaHome);
            const JvmLibrary library =
                FindJvmLibrary(home, ProbeJvmTypeFor(source, settings.jvmType));
            if (library.path.empty()) {
                continue;
            }
            candidates.push_back({version, std::move(home), library.isServer, preferred});
        }
    }
    return candidates;
}

std::optional<std::wstring> SearchRegistry(Launcher& launcher, support::RegistryView view) {
    const LauncherSettings& settings = launcher.settings;
    std::vector<RuntimeCandidate> candidates = CollectRegistryRuntimes(settings, view);
    if (candidates.empty()) {
        return std::nullopt;
    }
    OrderCandidates(candidates, settings.favorKind, settings.jvmType);
    const size_t chosen = ChooseCandidate(candidates, settings.preferredVersions);
    if (view == support::RegistryView::Bits64) {
        launcher.is64BitRuntime = true;
    }
    return std::move(candidates[chosen].home);
}

}  // namespace launcher
