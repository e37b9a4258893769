#pragma once
// How the runtimes found in the registry are filtered, ordered and chosen. No system calls.
#include <cstddef>
#include <string>
#include <vector>

#include "settings/version.h"

namespace launcher {

struct RuntimeCandidate {
    Version version;    // from the registry subkey name, missing groups 0
    std::wstring home;  // ends with "\"
    bool isServer;      // its jvm.dll is the server VM
    bool isPreferred;   // its kind is allowed and its vendor preferred
};

// Equal versions pass both bounds.
bool WithinVersionBounds(const Version& version, const Version& minimum, const Version& maximum);

// Preferred runtimes first (when favorKind), then server VMs (when "JVM Type" is
// favor_server), then higher versions first; equal ones keep their order.
void OrderCandidates(std::vector<RuntimeCandidate>& candidates, bool favorKind, int jvmType);

// A candidate matches a preferred version when the components that the preference gives
// are equal: 1.7 (1.7.0.0) matches every 1.7.x.y, 0 matches everything.
bool MatchesPreferredVersion(const Version& candidate, const Version& preferred);

// Index of the first candidate that matches the first matching "Preferred versions" text,
// else 0. The candidates must not be empty.
std::size_t ChooseCandidate(const std::vector<RuntimeCandidate>& candidates,
                            const std::vector<std::wstring>& preferredVersions);

}  // namespace launcher
