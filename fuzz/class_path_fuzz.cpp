// Class-path entries: the folder the matches are put in is always the start of the search
// pattern, and a relative entry is searched below the program folder.
#include "options/class_path_entry.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::wstring> pieces = fuzz::Pieces(fuzz::WideText(data, size), 2);
    const std::wstring& entry = pieces[0];
    const std::wstring& programFolder = pieces[1];
    const bool relative = launcher::IsRelativeClassPathEntry(entry);
    FUZZ_CHECK(!relative || launcher::NeedsClassPathSearch(entry));
    const std::wstring pattern = launcher::ClassPathSearchPattern(entry, programFolder);
    const std::wstring folder = launcher::ClassPathMatchFolder(entry, programFolder);
    FUZZ_CHECK(pattern.starts_with(folder));
    FUZZ_CHECK(pattern.ends_with(entry));
    if (relative) {
        FUZZ_CHECK(pattern == programFolder + L"\\" + entry);
        FUZZ_CHECK(folder.starts_with(programFolder));
    } else {
        FUZZ_CHECK(pattern == entry);
    }
    return 0;
}
