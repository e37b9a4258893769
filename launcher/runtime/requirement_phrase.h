#pragma once
// The runtime version the settings ask for, in words, for the runtime-not-found message.
#include <string>

#include "settings/version.h"

namespace launcher {

// Catalogue text 217 to 221 filled with the bounds' version texts.
std::wstring BuildRequirementPhrase(const Version& minimum, const Version& maximum);

}  // namespace launcher
