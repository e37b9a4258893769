// The mail job's path: no double quote is left, the text gets no longer, and a network path
// (behind blanks and quotes) keeps its leading pair of backslashes.
#include "job/job_path.h"
#include "fuzz_text.h"
#include "support/trim_blanks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring raw = fuzz::WideText(data, size);
    const std::wstring path = mailer::NormaliseJobPath(raw);
    FUZZ_CHECK(path.find(L'"') == std::wstring::npos);
    FUZZ_CHECK(path.size() <= raw.size());
    const std::size_t first = raw.find_first_not_of(L" \"");
    if (first != std::wstring::npos && raw.compare(first, 2, L"\\\\") == 0) {
        FUZZ_CHECK(path.find(L"\\\\") != std::wstring::npos);
    }
    const std::wstring trimmed(support::TrimBlanks(raw));
    FUZZ_CHECK(!trimmed.starts_with(L' ') && !trimmed.ends_with(L' '));
    return 0;
}
