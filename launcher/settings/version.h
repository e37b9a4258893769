#pragma once
// Version numbers of runtimes and of the settings' bounds: four signed components, most
// significant first.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace launcher {

// Fill value of a maximum version: "1.6" as an upper bound means 1.6.65535.65535.
inline constexpr std::int32_t kVersionFillMaximum = 65535;

struct Version {
    std::array<std::int32_t, 4> components{};
    // Groups found in the text: 0 to 4, or 5 when more than four were written.
    int groups = 0;

    friend bool operator==(const Version&, const Version&) = default;
};

// Parses the digit groups of text (any non-digit separates them). Missing trailing
// components get fill. Fails, leaving all components and the count 0, for a text without
// digits or a group above 2147483647.
bool ParseVersion(std::wstring_view text, std::int32_t fill, Version& version);

// The shortest dotted text of at least two components; components that are 0 or 65535 at
// the end are left out, and a version made only of those is "0.0.0.0".
std::wstring FormatVersion(const Version& version);

// Compares components in order as signed numbers: negative, 0 or positive.
int CompareVersions(const Version& left, const Version& right);

}  // namespace launcher
