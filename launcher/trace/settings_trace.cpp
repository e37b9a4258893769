#include "trace/settings_trace.h"

#include "trace/startup_trace.h"
#include "support/decimal_text.h"

namespace launcher::trace {
namespace {

std::wstring_view JvmTypeName(int jvmType) {
    switch (jvmType) {
        case kJvmTypeServer:
            return L"server";
        case kJvmTypeFavorServer:
            return L"favor_server";
    }
    return L"any VM";
}

std::wstring YesNo(bool value) {
    return value ? L"yes" : L"no";
}

}  // namespace

std::wstring FullVersion(const Version& version) {
    std::wstring text;
    for (int i = 0; i < 4; ++i) {
        text += (i == 0 ? L"" : L".") + support::DecimalText(version.components[i]);
    }
    return text;
}

void WriteSettings(const std::wstring& path, const LauncherSettings& s) {
    if (!On()) {
        return;
    }
    Write(L"settings file: ", path);
    Write(L"setting Minimum Version: ", FullVersion(s.minimumVersion));
    Write(L"setting Maximum Version: ", FullVersion(s.maximumVersion));
    std::wstring preferred;
    for (const std::wstring& text : s.preferredVersions) {
        preferred += (preferred.empty() ? L"" : L";") + text;
    }
    Write(L"setting Preferred versions: ", preferred);
    Write(L"setting JRE Path: ", s.jrePath);
    Write(L"setting JVM Type: ", JvmTypeName(s.jvmType));
    Write(L"setting JVM Source: JDK ", YesNo(s.allowJdk), L", JRE ", YesNo(s.allowJre),
          L", other kind acceptable ", YesNo(s.favorKind));
    Write(L"setting VM Provider: accepted Sun ", YesNo(s.acceptSun), L" JRockit ",
          YesNo(s.acceptJrockit), L" IBM ", YesNo(s.acceptIbm), L", preferred Sun ",
          YesNo(s.preferSun), L" JRockit ", YesNo(s.preferJrockit), L" IBM ", YesNo(s.preferIbm));
    Write(L"setting Main Class: ", s.mainClass);
    Write(L"setting Pair Product: ", s.pairProduct);
    Write(L"setting Ignore OpenJDK Registry: ", YesNo(!s.searchOpenJdkRegistrations));
    Write(L"setting Class Data Archive: ", std::wstring_view(s.classDataArchive ? L"on" : L"off"));
    Write(L"setting Exception Dialog: ", std::wstring_view(s.exceptionDialog ? L"on" : L"off"));
}

}  // namespace launcher::trace
