#include "runtime/openjdk_registrations.h"

namespace launcher {

// Each layout as its installer documents it; docs/launcher-runtime.md names the sources.
const std::array<OpenJdkRegistration, 8> kOpenJdkRegistrations{{
    {L"SOFTWARE\\Eclipse Adoptium\\JDK\\", OpenJdkLayout::VersionVmMsi, L"Path", RuntimeKind::Jdk},
    {L"SOFTWARE\\Eclipse Adoptium\\JRE\\", OpenJdkLayout::VersionVmMsi, L"Path", RuntimeKind::Jre},
    {L"SOFTWARE\\Eclipse Foundation\\JDK\\", OpenJdkLayout::VersionVmMsi, L"Path",
     RuntimeKind::Jdk},
    {L"SOFTWARE\\Eclipse Foundation\\JRE\\", OpenJdkLayout::VersionVmMsi, L"Path",
     RuntimeKind::Jre},
    {L"SOFTWARE\\AdoptOpenJDK\\JDK\\", OpenJdkLayout::VersionVmMsi, L"Path", RuntimeKind::Jdk},
    {L"SOFTWARE\\AdoptOpenJDK\\JRE\\", OpenJdkLayout::VersionVmMsi, L"Path", RuntimeKind::Jre},
    {L"SOFTWARE\\Microsoft\\JDK\\", OpenJdkLayout::VersionVmMsi, L"Path", RuntimeKind::Jdk},
    {L"SOFTWARE\\Azul Systems\\Zulu\\", OpenJdkLayout::NamedInstall, L"InstallationPath",
     std::nullopt},
}};

bool OpenJdkBuildsAccepted(const LauncherSettings& settings) {
    // Only "jrockit" and "ibm" leave out the runtimes registered under JavaSoft: they are
    // the values that name the one vendor to take.
    return settings.acceptSun || settings.preferSun;
}

bool OpenJdkKindSearched(RuntimeKind kind, const LauncherSettings& settings) {
    return settings.favorKind || OpenJdkKindPreferred(kind, settings);
}

bool OpenJdkKindPreferred(RuntimeKind kind, const LauncherSettings& settings) {
    return kind == RuntimeKind::Jdk ? settings.allowJdk : settings.allowJre;
}

bool OpenJdkSearchWanted(const LauncherSettings& settings) {
    return settings.searchOpenJdkRegistrations && OpenJdkBuildsAccepted(settings);
}

std::wstring_view KindName(RuntimeKind kind) {
    return kind == RuntimeKind::Jdk ? L"JDK" : L"JRE";
}

}  // namespace launcher
