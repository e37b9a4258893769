#include "jvm_library/jvm_library.h"

#include <cstdint>

#include "jvm/jvm_creation.h"
#include "messages/catalogue.h"
#include "messages/error_report.h"
#include "options/runtime_paths.h"
#include "support/proc_address.h"

namespace launcher {
namespace {

using AddDllDirectoryFn = DLL_DIRECTORY_COOKIE(WINAPI*)(PCWSTR);

// The runtime's own libraries (java.dll and what it needs) lie in its bin folder. The folder
// joins the search for the JVM's dependencies; where the system cannot add folders (an
// un-updated Windows 7), the search starts in the library's own folder instead.
HMODULE LoadWithRuntimeFolder(const std::wstring& path) {
    const auto addDllDirectory = support::ProcAddress<AddDllDirectoryFn>(
        ::GetModuleHandleW(L"kernel32.dll"), "AddDllDirectory");
    if (addDllDirectory == nullptr) {
        return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    const std::wstring binFolder = JvmBinFolder(path);
    if (!binFolder.empty()) {
        addDllDirectory(binFolder.c_str());
    }
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
}

}  // namespace

std::optional<jvm::EntryPoints> LoadJvmLibrary(const std::wstring& jvmLibraryPath) {
    HMODULE library = LoadWithRuntimeFolder(jvmLibraryPath);
    if (library == nullptr) {
        const auto code = static_cast<std::int32_t>(::GetLastError());
        PrintError(FormatCatalogueMessage(text::kJvmLibraryNotLoaded,
                                          std::wstring_view(jvmLibraryPath), code));
        return std::nullopt;
    }
    jvm::EntryPoints found;
    found.createJavaVm = support::ProcAddress<jvm::CreateJavaVmFn>(library, "JNI_CreateJavaVM");
    found.getDefaultInitArgs = found.createJavaVm == nullptr
                                   ? nullptr
                                   : support::ProcAddress<jvm::GetDefaultInitArgsFn>(
                                         library, "JNI_GetDefaultJavaVMInitArgs");
    if (found.getDefaultInitArgs == nullptr) {
        ReportSystemError(text::kNoCreateJavaVm);
        return std::nullopt;
    }
    found.findClassFromBootLoader = support::ProcAddress<jvm::FindClassFromBootLoaderFn>(
        library, "JVM_FindClassFromBootLoader");
    return found;
}

std::uint32_t DefaultJavaStackSize(const jvm::EntryPoints& entryPoints) {
    if (entryPoints.getDefaultInitArgs == nullptr) {
        return 0;
    }
    return jvm::DefaultJavaStackSize(entryPoints.getDefaultInitArgs);
}

}  // namespace launcher
