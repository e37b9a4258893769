#include "runtime/registry_sources.h"

namespace launcher {

const std::array<RegistrySource, 7> kRegistrySources{{
    {L"Software\\JavaSoft\\JDK\\", RuntimeKind::Jdk, RuntimeVendor::Sun, false, false},
    {L"Software\\JavaSoft\\JRE\\", RuntimeKind::Jre, RuntimeVendor::Sun, false, false},
    {L"Software\\JavaSoft\\Java Development Kit\\", RuntimeKind::Jdk, RuntimeVendor::Sun, true,
     false},
    {L"Software\\JavaSoft\\Java Runtime Environment\\", RuntimeKind::Jre, RuntimeVendor::Sun, false,
     true},
    {L"Software\\JRockit\\Java Runtime Environment\\", RuntimeKind::Jre, RuntimeVendor::Jrockit,
     false, false},
    {L"Software\\JRockit\\Java Development Kit\\", RuntimeKind::Jdk, RuntimeVendor::Jrockit, true,
     false},
    {L"Software\\IBM\\Java2 Runtime Environment\\", RuntimeKind::Jre, RuntimeVendor::Ibm, false,
     false},
}};

namespace {

bool KindAllowed(RuntimeKind kind, const LauncherSettings& settings) {
    return kind == RuntimeKind::Jdk ? settings.allowJdk : settings.allowJre;
}

bool VendorPreferred(RuntimeVendor vendor, const LauncherSettings& settings) {
    switch (vendor) {
        case RuntimeVendor::Sun:
            return settings.preferSun;
        case RuntimeVendor::Jrockit:
            return settings.preferJrockit;
        case RuntimeVendor::Ibm:
            return settings.preferIbm;
    }
    return false;
}

bool VendorAccepted(RuntimeVendor vendor, const LauncherSettings& settings) {
    switch (vendor) {
        case RuntimeVendor::Sun:
            return settings.acceptSun;
        case RuntimeVendor::Jrockit:
            return settings.acceptJrockit;
        case RuntimeVendor::Ibm:
            return settings.acceptIbm;
    }
    return false;
}

}  // namespace

bool IsSourceSearched(const RegistrySource& source, const LauncherSettings& settings) {
    return (settings.favorKind || KindAllowed(source.kind, settings)) &&
           (VendorAccepted(source.vendor, settings) || VendorPreferred(source.vendor, settings));
}

bool IsSourcePreferred(const RegistrySource& source, const LauncherSettings& settings) {
    return KindAllowed(source.kind, settings) && VendorPreferred(source.vendor, settings);
}

int ProbeJvmTypeFor(const RegistrySource& source, int jvmType) {
    return source.probeFavorServerAsAny && jvmType == kJvmTypeFavorServer ? kJvmTypeAny : jvmType;
}

std::wstring RuntimeHomeFor(const RegistrySource& source, std::wstring_view javaHome) {
    std::wstring home(javaHome);
    if (!home.ends_with(L'\\')) {
        home += L'\\';
    }
    if (source.homeInJreFolder) {
        home += L"jre\\";
    }
    return home;
}

}  // namespace launcher
