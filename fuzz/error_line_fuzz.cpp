// Error lines: the UTF-8 bytes for redirected output are well formed and read back as the
// text, with each unpaired surrogate as U+FFFD.
#include "messages/error_line.h"
#include "support/utf8.h"
#include "fuzz_text.h"

#include <optional>

namespace {

// Code points of well-formed UTF-8 (shortest forms, no surrogates, at most U+10FFFF);
// nothing for any other byte sequence.
std::optional<std::u32string> DecodeUtf8(std::string_view bytes) {
    std::u32string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || i + length > bytes.size()) {
            return std::nullopt;
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            c = (c << 6) | (next & 0x3F);
        }
        constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return std::nullopt;
        }
        text.push_back(c);
        i += length;
    }
    return text;
}

std::u32string CodePoints(std::wstring_view text) {
    std::u32string points;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            points.push_back(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            points.push_back(c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
        }
    }
    return points;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring message = fuzz::WideText(data, size);
    const std::wstring line = launcher::ErrorLine(message);
    FUZZ_CHECK(line == L"Error: " + message + L" \n");
    const std::optional<std::u32string> decoded = DecodeUtf8(support::WideToUtf8(line));
    FUZZ_CHECK(decoded && *decoded == CodePoints(line));
    return 0;
}
