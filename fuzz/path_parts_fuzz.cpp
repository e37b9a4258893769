// A path's file name and parent folder: the name holds no separator and ends the path, and
// the folder is the start of the path.
#include "delivery/path_parts.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring path = fuzz::WideText(data, size);
    const std::wstring name = mailer::FileNameOf(path);
    const std::wstring folder = mailer::ParentFolderOf(path);
    FUZZ_CHECK(name.find_first_of(L"\\/") == std::wstring::npos);
    FUZZ_CHECK(path.find(name) != std::wstring::npos);
    FUZZ_CHECK(path.starts_with(folder));
    return 0;
}
