#pragma once
// Everything the launcher takes from its settings file, and how the file is loaded.
#include <string>
#include <vector>

#include "settings/version.h"

namespace launcher {

// "JVM Type": which VM flavour of a runtime counts.
inline constexpr int kJvmTypeAny = 0;          // client, classic, hotspot or jrockit VM
inline constexpr int kJvmTypeServer = 1;       // "server": the server VM only
inline constexpr int kJvmTypeFavorServer = 2;  // "favor_server": the server VM first

// Section names of the settings file. Each of the last three may be continued by a section
// of the same name followed by "+".
inline constexpr wchar_t kSectionProduct[] = L"Product Information";
inline constexpr wchar_t kSectionRuntime[] = L"Java Runtime Environment";
inline constexpr wchar_t kSectionApplication[] = L"Application";
inline constexpr wchar_t kSectionClassPath[] = L"Class Path";

// Fields in the order in which they are read; defaults are those of a missing key.
struct LauncherSettings {
    // [Product Information]
    std::wstring productCode;  // "Product Code": second folder level of the per-user file
    std::wstring productName;  // "Product Name": first folder level (sanitised when used)

    // [Java Runtime Environment] "Minimum Version" / "Maximum Version". Absent keys parse
    // to 0.0.0.0 with count 0; "any" gives 0.0.0.0 and 65535.65535.65535.65535 (count 4).
    Version minimumVersion;
    Version maximumVersion;

    // [Application]
    bool isService = false;        // "Application Type" exactly "service"
    bool omitServiceName = false;  // "Omit Service Name" not empty (read only for a service)

    // [Java Runtime Environment]
    std::vector<std::wstring> preferredVersions;  // "Preferred versions", split at ";"
    std::wstring jrePath;       // "JRE Path", already made absolute against the program folder
    int jvmType = kJvmTypeAny;  // "JVM Type": "server" 1, "favor_server" 2, else 0

    // "JVM Source"
    bool favorKind = true;  // the other kind (JDK or JRE) is acceptable, preference orders
    bool allowJdk = true;   // runtimes registered as JDK are searched and count as preferred
    bool allowJre = true;   // runtimes registered as JRE are searched and count as preferred

    // "VM Provider": which vendors' registry keys are searched, which are preferred.
    bool acceptJrockit = false;
    bool preferJrockit = false;
    bool acceptSun = true;
    bool preferSun = true;
    bool acceptIbm = false;
    bool preferIbm = false;

    // "Main Class" in internal form: "/" between package parts. Required.
    std::wstring mainClass;

    // [Application]
    bool failureCheck = false;        // "Failure Check" "Yes", any case
    bool overrideWorkingDir = false;  // "Override WorkingDir" "Yes", any case

    // [Java Runtime Environment]
    std::wstring systemPath;   // "System Path": folders put in front of PATH
    std::wstring libraryPath;  // "Library Path": base of java.library.path

    // [Application]
    std::wstring pairProduct;     // "Pair Product": full path of the 64-bit pair launcher
    bool pairReturnCode = false;  // "Pair Return Code" "Yes", any case

    // [Java Runtime Environment] "Ignore OpenJDK Registry" "Yes", any case, turns off the
    // search of the OpenJDK builds' own registry keys.
    bool searchOpenJdkRegistrations = true;

    // "Class Data Archive" "on", any case, blanks around ignored: the launcher keeps a
    // class-data archive of the application for the runtime.
    bool classDataArchive = false;

    // [Application] "Exception Dialog" "off", any case, blanks around ignored, turns off the
    // windowed program's dialog for exceptions the Java program leaves.
    bool exceptionDialog = true;
};

// Reads the settings file beside this program (and, in application mode, the per-user
// file's "JRE Path"). False when there is no settings file path or no main class; the
// missing main class is reported on standard output.
bool LoadLauncherSettings(LauncherSettings& settings);

// The same for a given program path (the file need not be this process's module).
bool LoadLauncherSettingsFor(const std::wstring& programPath, LauncherSettings& settings);

}  // namespace launcher
