#include "runtime/jvm_library_probe.h"

#include "settings/launcher_settings.h"
#include "settings/settings_paths.h"

namespace launcher {

JvmLibrary FindJvmLibrary(const std::wstring& home, int jvmType) {
    if (jvmType == kJvmTypeServer || jvmType == kJvmTypeFavorServer) {
        std::wstring server = home + L"bin\\server\\jvm.dll";
        if (FileFound(server)) {
            return {std::move(server), true};
        }
        if (jvmType == kJvmTypeServer) {
            return {};
        }
    }
    for (const wchar_t* flavour : {L"client", L"classic", L"hotspot", L"jrockit"}) {
        std::wstring path = home + L"bin\\" + flavour + L"\\jvm.dll";
        if (FileFound(path)) {
            return {std::move(path), false};
        }
    }
    return {};
}

bool HasJavaMarker(const std::wstring& home) {
    return FileFound(home + L"bin\\java.dll");
}

}  // namespace launcher
