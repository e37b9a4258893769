// Path rules: short and relative paths stay as they are, long full paths take the long-path
// form exactly once and stay the same path, and the components put back together give the path.
#include "support/path_text.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring path = fuzz::WideText(data, size);
    const std::wstring longForm = support::ToLongPathForm(path);
    if (path.size() <= support::kMaxPlainPath) {
        FUZZ_CHECK(longForm == path);
    } else if (!support::IsUncPath(path) && !path.starts_with(L"\\\\?\\") &&
               (path[1] != L':' || path[2] != L'\\')) {
        // Only full drive paths and network paths have a long form.
        FUZZ_CHECK(longForm == path);
    } else {
        FUZZ_CHECK(longForm.starts_with(L"\\\\?\\"));
        FUZZ_CHECK(support::ToLongPathForm(longForm) == longForm);
        FUZZ_CHECK(support::IsUncPath(longForm) == support::IsUncPath(path));
        FUZZ_CHECK(longForm.size() <= path.size() + 8);
        if (longForm != path) {
            FUZZ_CHECK(longForm.ends_with(std::wstring_view(path).substr(2)));
        }
    }

    const std::vector<std::wstring> parts = support::SplitPath(path);
    FUZZ_CHECK(!parts.empty());
    const std::wstring joined = fuzz::Join(parts, L"\\");
    FUZZ_CHECK(joined == path || joined + L"\\" == path);
    support::IsAbsolutePathShape(path);
    return 0;
}
