#include "options/class_path_entry.h"
#include "options/jvm_options.h"
#include "support/path_text.h"
#include "support/unique_handle.h"

namespace launcher {

void ExpandClassPathEntry(const std::wstring& entry, const std::wstring& programFolder,
                          std::wstring& classPath) {
    const std::wstring pattern = ClassPathSearchPattern(entry, programFolder);
    if (pattern.size() > support::kMaxLongPath) {
        return;
    }
    const std::wstring folder = ClassPathMatchFolder(entry, programFolder);
    WIN32_FIND_DATAW match;
    const support::UniqueFindHandle search(
        support::ValidOrNull(::FindFirstFileW(support::ToLongPathForm(pattern).c_str(), &match)));
    if (!search) {
        return;
    }
    do {
        classPath += folder;
        classPath += L'\\';
        classPath += match.cFileName;
        classPath += L';';
    } while (::FindNextFileW(search.get(), &match));
}

}  // namespace launcher
