#pragma once
// Which catalogue text says what runtime version the settings ask for, and with which
// version texts. No system calls; the texts themselves live in the catalogue.
#include <string>
#include <vector>

#include "settings/version.h"

namespace launcher {

struct RequirementPhraseChoice {
    unsigned textId;                     // 217 to 221
    std::vector<std::wstring> versions;  // the version texts for its placeholders, in order
};

// A bound whose four components are all 0 or all 65535 is unset (absent, empty or "any").
bool IsVersionBoundSet(const Version& bound);

RequirementPhraseChoice ChooseRequirementPhrase(const Version& minimum, const Version& maximum);

}  // namespace launcher
