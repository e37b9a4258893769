#include "runtime/registry_search.h"

#include "runtime/candidate_trace.h"
#include "runtime/jvm_library_probe.h"
#include "runtime/openjdk_registrations.h"
#include "runtime/registry_sources.h"
#include "trace/settings_trace.h"
#include "trace/startup_trace.h"

namespace launcher {
namespace {

// Why the settings leave a vendor's key out, for the trace.
std::wstring_view SkipReason(const RegistrySource& source, const LauncherSettings& settings) {
    return OpenJdkKindSearched(source.kind, settings) ? L"vendor not accepted"
                                                      : L"kind not accepted";
}

}  // namespace

std::vector<RuntimeCandidate> CollectRegistryRuntimes(const LauncherSettings& settings,
                                                      support::RegistryView view) {
    std::vector<RuntimeCandidate> candidates;
    for (const RegistrySource& source : kRegistrySources) {
        const std::wstring key = source.key;
        if (!IsSourceSearched(source, settings)) {
            trace::Write(L"registry key HKLM\\", key, L" (", ViewName(view), L"): skipped, ",
                         SkipReason(source, settings));
            continue;
        }
        const bool preferred = IsSourcePreferred(source, settings);
        const support::RegistryKey sourceKey(key, view);
        if (!sourceKey.IsOpen()) {
            trace::Write(L"registry key HKLM\\", key, L" (", ViewName(view), L"): not found");
            continue;
        }
        trace::Write(L"registry key HKLM\\", key, L" (", ViewName(view), L")");
        for (const std::wstring& name : sourceKey.SubkeyNames()) {
            Version version;
            ParseVersion(name, 0, version);
            if (!WithinVersionBounds(version, settings.minimumVersion, settings.maximumVersion)) {
                trace::Write(L"candidate ", name, L": rejected, version ",
                             trace::FullVersion(version), L" out of bounds");
                continue;
            }
            const std::wstring javaHome =
                support::RegistryKey(key + name, view).ReadText(L"JavaHome");
            if (javaHome.empty()) {
                trace::Write(L"candidate ", name, L": rejected, no JavaHome");
                continue;
            }
            std::wstring home = RuntimeHomeFor(source, javaHome);
            const JvmLibrary library =
                FindJvmLibrary(home, ProbeJvmTypeFor(source, settings.jvmType));
            if (library.path.empty()) {
                trace::Write(L"candidate ", name, L": rejected, no jvm.dll in ", home);
                continue;
            }
            trace::Write(L"candidate ", name, L": taken, ", library.path);
            candidates.push_back({version, std::move(home), library.isServer, preferred});
        }
    }
    return candidates;
}

std::optional<std::wstring> SearchRegistry(const LauncherSettings& settings,
                                           support::RegistryView view) {
    std::vector<RuntimeCandidate> candidates = CollectRegistryRuntimes(settings, view);
    if (candidates.empty()) {
        return std::nullopt;
    }
    OrderCandidates(candidates, settings.favorKind, settings.jvmType);
    const size_t chosen = ChooseCandidate(candidates, settings.preferredVersions);
    TraceOrder(candidates, chosen);
    return std::move(candidates[chosen].home);
}

}  // namespace launcher
