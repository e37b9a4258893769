#include "runtime/requirement_phrase_choice.h"

#include <algorithm>

#include "messages/message_ids.h"

namespace launcher {

bool IsVersionBoundSet(const Version& bound) {
    const auto& c = bound.components;
    const bool allEqual =
        std::all_of(c.begin(), c.end(), [&c](std::int32_t v) { return v == c[0]; });
    return !(allEqual && (c[0] == 0 || c[0] == kVersionFillMaximum));
}

RequirementPhraseChoice ChooseRequirementPhrase(const Version& minimum, const Version& maximum) {
    const bool minimumSet = IsVersionBoundSet(minimum);
    const bool maximumSet = IsVersionBoundSet(maximum);
    if (!minimumSet && !maximumSet) {
        return {text::kNewestVersion, {}};
    }
    if (!minimumSet) {
        return {text::kMaximumVersion, {FormatVersion(maximum)}};
    }
    if (!maximumSet) {
        return {text::kMinimumVersion, {FormatVersion(minimum)}};
    }
    if (minimum.components == maximum.components) {
        return {text::kExactVersion, {FormatVersion(minimum)}};
    }
    return {text::kVersionRange, {FormatVersion(minimum), FormatVersion(maximum)}};
}

}  // namespace launcher
