// The link colours' "R,G,B" text: without two commas, or with nothing after the second, there
// is no colour; any colour found fits 24 bits.
#include "runtime/color_triple.h"
#include "fuzz_text.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::WideText(data, size);
    const std::optional<launcher::ColorValue> color = launcher::ParseColorTriple(text);
    const std::size_t first = text.find(L',');
    const std::size_t second = first == std::wstring::npos ? first : text.find(L',', first + 1);
    if (second == std::wstring::npos || second + 1 == text.size()) {
        FUZZ_CHECK(!color);
    }
    if (color) {
        FUZZ_CHECK(*color <= 0xFFFFFFu);
    }
    return 0;
}
