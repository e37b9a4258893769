// SplitFields: no field holds the separator, and joining the fields with it gives the text
// back (with the separator at the end when the empty last field was dropped).
#include "support/split_fields.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::wstring> pieces = fuzz::Pieces(fuzz::WideText(data, size), 2);
    const std::wstring& separator = pieces[0];
    const std::wstring& text = pieces[1];
    const std::vector<std::wstring> fields = support::SplitFields(text, separator);
    if (text.empty()) {
        FUZZ_CHECK(fields.empty());
        return 0;
    }
    if (separator.empty()) {
        FUZZ_CHECK(fields.size() == 1 && fields[0] == text);
        return 0;
    }
    for (const std::wstring& field : fields) {
        FUZZ_CHECK(field.find(separator) == std::wstring::npos);
    }
    const std::wstring joined = fuzz::Join(fields, separator);
    FUZZ_CHECK(joined == text || joined + separator == text);
    return 0;
}
