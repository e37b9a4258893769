#pragma once
// What decides whether an archive fits the run: the runtime, the class path, the options.
#include <optional>
#include <string>
#include <vector>

namespace launcher {

struct ArchiveFacts {
    int feature = 0;  // the runtime's feature version, 0 when unknown
    bool runtimeHasBaseArchive = false;
    std::wstring classPathFolder;  // a folder on the class path: the JVM cannot archive then
    std::vector<std::string> keyParts;
};

// The facts for the jvm.dll at jvmLibraryPath and the assembled options.
ArchiveFacts GatherArchiveFacts(const std::wstring& jvmLibraryPath,
                                const std::vector<std::string>& options);

}  // namespace launcher
