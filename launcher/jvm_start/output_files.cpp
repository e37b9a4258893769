#include "jvm_start/output_files.h"

#include <jni.h>

#include "jvm/output_redirection.h"
#include "jvm_start/wide_text.h"
#include "messages/timestamp_pattern.h"
#include "support/file_system.h"

namespace launcher {

void RedirectOutputFiles(Launcher& launcher) {
    std::wstring output = launcher.outputFile;
    std::wstring error = launcher.errorFile;
    if (output.find(L'%') != std::wstring::npos || error.find(L'%') != std::wstring::npos) {
        // Read once, so that both files carry the same time.
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        ExpandTimestampPattern(output, now);
        ExpandTimestampPattern(error, now);
    }
    const jvm::FolderMaker makeFolders = [](std::u16string_view filePath) {
        support::CreateParentDirectories(ToWide(filePath));
    };
    jvm::RedirectOutput(launcher.env, {ToU16(output), launcher.outputAppend},
                        {ToU16(error), launcher.errorAppend}, makeFolders);
}

}  // namespace launcher
