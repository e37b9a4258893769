// Version numbers: a parsed version holds only the groups written (each 0 to 2147483647)
// and the fill, and formatting then parsing gives it back, except that trailing components of
// 0 or 65535 past the second come back as 0. Comparison is antisymmetric.
#include "settings/version.h"
#include "fuzz_text.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::wstring> texts = fuzz::Pieces(fuzz::WideText(data, size), 2);
    launcher::Version version;
    if (!launcher::ParseVersion(texts[0], launcher::kVersionFillMaximum, version)) {
        FUZZ_CHECK(version == launcher::Version{});
        return 0;
    }
    FUZZ_CHECK(version.groups >= 1 && version.groups <= 5);
    for (int i = 0; i < 4; ++i) {
        FUZZ_CHECK(version.components[i] >= 0);
        if (i >= version.groups) {
            FUZZ_CHECK(version.components[i] == launcher::kVersionFillMaximum);
        }
    }

    const std::wstring text = launcher::FormatVersion(version);
    launcher::Version again;
    FUZZ_CHECK(launcher::ParseVersion(text, 0, again));
    // The text keeps every component up to the last one that is neither 0 nor 65535, and at
    // least two, unless there is no such component at all.
    int last = -1;
    for (int i = 0; i < 4; ++i) {
        const std::int32_t original = version.components[i];
        if (original != 0 && original != launcher::kVersionFillMaximum) {
            last = i;
        }
    }
    const int kept = last < 0 ? -1 : std::max(last, 1);
    for (int i = 0; i < 4; ++i) {
        FUZZ_CHECK(again.components[i] == (i <= kept ? version.components[i] : 0));
    }

    launcher::Version other;
    launcher::ParseVersion(texts[1], 0, other);
    FUZZ_CHECK(launcher::CompareVersions(version, version) == 0);
    FUZZ_CHECK(launcher::CompareVersions(version, other) ==
               -launcher::CompareVersions(other, version));
    return 0;
}
