#pragma once
// Where the installers of current OpenJDK builds register their runtimes below
// HKEY_LOCAL_MACHINE, and how the settings apply to them. No system calls.
#include <array>
#include <optional>
#include <string_view>

#include "runtime/registry_sources.h"
#include "settings/launcher_settings.h"

namespace launcher {

enum class OpenJdkLayout {
    // <key><version>\<vm>\MSI with the home in the value named below.
    VersionVmMsi,
    // <key><name> with the home in the value named below; the version is the value
    // "CurrentVersion" when written, else the digits of the name ("zulu-17").
    NamedInstall,
};

struct OpenJdkRegistration {
    const wchar_t* key;  // ends with "\"
    OpenJdkLayout layout;
    const wchar_t* homeValue;
    // Nothing when the key does not tell: then a runtime with bin\javac.exe is a JDK.
    std::optional<RuntimeKind> kind;
};

extern const std::array<OpenJdkRegistration, 8> kOpenJdkRegistrations;

// The vendor settings name none of these builds' makers. "VM Provider" jrockit and ibm
// restrict the search to the vendor they name and so exclude them; every other value, and
// none, accepts them.
bool OpenJdkBuildsAccepted(const LauncherSettings& settings);

// The kind is searched when it is allowed or when any kind is acceptable ("favor_...").
bool OpenJdkKindSearched(RuntimeKind kind, const LauncherSettings& settings);

// Preferred when its kind is allowed: all these builds are of the same, unnamed, vendor
// standing, so only the kind can set them apart.
bool OpenJdkKindPreferred(RuntimeKind kind, const LauncherSettings& settings);

// The source is searched at all: not switched off and a vendor setting that admits it.
bool OpenJdkSearchWanted(const LauncherSettings& settings);

std::wstring_view KindName(RuntimeKind kind);

}  // namespace launcher
