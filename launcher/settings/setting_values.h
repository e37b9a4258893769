#pragma once
// How the settings file's values are read: comparison rules, the vendor and source tables.
// No system calls, so that the rules also run on the host.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/launcher_settings.h"

namespace launcher {

// Case-insensitive for A-Z only, as the C runtime compares in its default locale.
bool EqualsIgnoringCase(std::wstring_view left, std::wstring_view right);

// "Yes" in any case, nothing else (a leading blank from a "+" section does not count).
bool IsYesIgnoringCase(std::wstring_view value);

// A value read from a "+" section: one blank in front unless it begins with one.
std::wstring WithFallbackBlank(std::wstring value);

// "Minimum Version" and "Maximum Version", including the word "any".
Version ParseMinimumVersion(std::wstring_view value);
Version ParseMaximumVersion(std::wstring_view value);

// "Preferred versions": every piece before a ";" (empty ones too), and the rest when it is
// not empty.
std::vector<std::wstring> SplitPreferredVersions(std::wstring_view value);

// "JVM Type": exactly "server" or "favor_server", anything else is any VM.
int ParseJvmType(std::wstring_view value);

// "JVM Source": sets favorKind, allowJdk and allowJre. Empty keeps the defaults; a value
// that is none of the four words allows neither kind.
void ApplyJvmSource(std::wstring_view value, LauncherSettings& settings);

struct VmProviderRow {
    const wchar_t* value;
    bool acceptJrockit;
    bool preferJrockit;
    bool acceptSun;
    bool preferSun;
    bool acceptIbm;
    bool preferIbm;
};

// "VM Provider" values, compared ignoring case in this order.
extern const std::array<VmProviderRow, 6> kVmProviderTable;

// Copies the flags of the first matching row; false (flags unchanged) when none matches.
bool ApplyVmProvider(std::wstring_view value, LauncherSettings& settings);

// "Main Class" with "." between package parts becomes the internal form with "/".
std::wstring InternalClassName(std::wstring_view value);

}  // namespace launcher
