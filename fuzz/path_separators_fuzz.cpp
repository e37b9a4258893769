// The helpers' separator rule, as letterstart's and mailer's paths take it: no "/" is left,
// the result is a network path exactly when the path began with two separators, doubled
// separators elsewhere collapse, and the narrow and wide forms agree.
#include "support/path_separators.h"
#include "fuzz_text.h"

#include <algorithm>

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring path = fuzz::WideText(data, size);
    const std::wstring result = support::NormalizePathSeparators(path);
    FUZZ_CHECK(result.find(L'/') == std::wstring::npos);
    FUZZ_CHECK(result.size() <= path.size() + 1);
    const bool network = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
    FUZZ_CHECK(network == result.starts_with(L"\\\\"));
    // Past the network pair, a run of n separators becomes one of (n + 1) / 2.
    std::size_t run = 0;
    std::size_t longestIn = 0;
    for (wchar_t c : path) {
        run = IsSeparator(c) ? run + 1 : 0;
        longestIn = std::max(longestIn, run);
    }
    run = 0;
    for (std::size_t i = network ? 2 : 0; i < result.size(); ++i) {
        run = result[i] == L'\\' ? run + 1 : 0;
        FUZZ_CHECK(run <= (longestIn + 1) / 2);
    }

    const std::string narrow(reinterpret_cast<const char*>(data), size);
    const std::string narrowResult = support::NormalizePathSeparators(narrow);
    const std::wstring widened(narrow.begin(), narrow.end());
    const std::wstring widenedResult(narrowResult.begin(), narrowResult.end());
    FUZZ_CHECK(support::NormalizePathSeparators(widened) == widenedResult);
    return 0;
}
