#include "runtime/candidate_order.h"

#include <algorithm>

#include "settings/launcher_settings.h"

namespace launcher {

bool WithinVersionBounds(const Version& version, const Version& minimum, const Version& maximum) {
    return CompareVersions(version, maximum) <= 0 && CompareVersions(version, minimum) >= 0;
}

void OrderCandidates(std::vector<RuntimeCandidate>& candidates, bool favorKind, int jvmType) {
    // The three rules rank by (preference, server VM, version) in turn, so a stable sort
    // gives the same order as adjacent swaps repeated until nothing moves.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [favorKind, jvmType](const RuntimeCandidate& a, const RuntimeCandidate& b) {
                         if (favorKind && a.isPreferred != b.isPreferred) {
                             return a.isPreferred;
                         }
                         if (jvmType == kJvmTypeFavorServer && a.isServer != b.isServer) {
                             return a.isServer;
                         }
                         return CompareVersions(a.version, b.version) > 0;
                     });
}

bool MatchesPreferredVersion(const Version& candidate, const Version& preferred) {
    int given = 4;
    while (given > 0 && preferred.components[given - 1] == 0) {
        --given;
    }
    return std::equal(preferred.components.begin(), preferred.components.begin() + given,
                      candidate.components.begin());
}

std::size_t ChooseCandidate(const std::vector<RuntimeCandidate>& candidates,
                            const std::vector<std::wstring>& preferredVersions) {
    for (const std::wstring& text : preferredVersions) {
        // A text without digits leaves 0.0.0.0, which matches the first candidate.
        Version preferred;
        ParseVersion(text, 0, preferred);
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (MatchesPreferredVersion(candidates[i].version, preferred)) {
                return i;
            }
        }
    }
    return 0;
}

}  // namespace launcher
