// letterstart's command line: the argument text is the end of the command line, the parts
// put back together around "/c" give the text, and the two paths come out normalised.
#include "letter_command_line.h"
#include "fuzz_text.h"
#include "support/trim_blanks.h"

namespace {

void CheckNormalised(const std::wstring& path) {
    FUZZ_CHECK(path.find(L'/') == std::wstring::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring commandLine = fuzz::WideText(data, size);
    const std::wstring_view arguments = letterstart::ArgumentText(commandLine);
    FUZZ_CHECK(commandLine.ends_with(arguments));

    const std::vector<std::wstring> parts = letterstart::SplitAtMarker(arguments);
    FUZZ_CHECK(!parts.empty());
    FUZZ_CHECK(fuzz::Join(parts, letterstart::kMarker) == arguments);
    for (const std::wstring& part : parts) {
        FUZZ_CHECK(part.find(letterstart::kMarker) == std::wstring::npos);
    }

    const std::optional<std::wstring> letter = letterstart::MainDocumentPath(parts[0]);
    FUZZ_CHECK(letter.has_value() == (parts[0].size() >= 3));
    if (letter) {
        FUZZ_CHECK(letter->size() <= parts[0].size());
        CheckNormalised(*letter);
    }
    if (parts.size() > 1) {
        const std::wstring source = letterstart::DataSourcePath(parts[1]);
        FUZZ_CHECK(source.size() <= parts[1].size());
        CheckNormalised(source);
    }

    const std::wstring_view trimmed = support::TrimBlanks(commandLine);
    FUZZ_CHECK(!trimmed.starts_with(L' ') && !trimmed.ends_with(L' '));
    FUZZ_CHECK(std::wstring_view(commandLine).find(trimmed) != std::wstring_view::npos);
    return 0;
}
