#include "jvm_start/output_files.h"

#include "jvm/output_redirection.h"
#include "jvm_start/wide_text.h"
#include "messages/timestamp_pattern.h"
#include "support/file_system.h"

namespace launcher {

void RedirectOutputFiles(JNIEnv* env, const OutputFiles& files) {
    std::wstring output = files.outputFile;
    std::wstring error = files.errorFile;
    if (output.find(L'%') != std::wstring::npos || error.find(L'%') != std::wstring::npos) {
        // Read once, so that both files carry the same time.
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        ExpandTimestampPattern(output, now);
        ExpandTimestampPattern(error, now);
    }
    // The folders are made from the root down, so the name is first made the full path that
    // the JVM opens: a relative name counts from the current folder, and "/" separates like "\".
    const jvm::FolderMaker makeFolders = [](std::u16string_view filePath) {
        const std::wstring path = ToWide(filePath);
        support::CreateParentDirectories(support::FullPath(path).value_or(path));
    };
    jvm::RedirectOutput(env, {ToU16(output), files.outputAppend}, {ToU16(error), files.errorAppend},
                        makeFolders);
}

}  // namespace launcher
