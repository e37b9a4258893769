#pragma once
// The Java vendors' registry keys below HKEY_LOCAL_MACHINE, in the order they are searched,
// and which of them the settings admit. No system calls.
#include <array>
#include <string>
#include <string_view>

#include "settings/launcher_settings.h"

namespace launcher {

enum class RuntimeKind { Jdk, Jre };
enum class RuntimeVendor { Sun, Jrockit, Ibm };

struct RegistrySource {
    const wchar_t* key;  // ends with "\": a version's subkey name is appended
    RuntimeKind kind;
    RuntimeVendor vendor;
    bool homeInJreFolder;  // the runtime lies in JavaHome\jre\ (the old JDK layout)
    // The old JRE key's runtimes are probed as "any VM" even under favor_server.
    bool probeFavorServerAsAny;
};

extern const std::array<RegistrySource, 7> kRegistrySources;

// The kind is acceptable (or any kind is, preference deciding) and the vendor is accepted
// or preferred.
bool IsSourceSearched(const RegistrySource& source, const LauncherSettings& settings);

// Its kind is allowed and its vendor preferred.
bool IsSourcePreferred(const RegistrySource& source, const LauncherSettings& settings);

// The "JVM Type" to probe this source's runtimes with.
int ProbeJvmTypeFor(const RegistrySource& source, int jvmType);

// JavaHome with a trailing "\", and "jre\" for the sources whose runtime lies below it.
std::wstring RuntimeHomeFor(const RegistrySource& source, std::wstring_view javaHome);

}  // namespace launcher
