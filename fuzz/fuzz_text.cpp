#include "fuzz_text.h"

namespace fuzz {

std::wstring WideText(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && i + 2 < size) {
            text.push_back(static_cast<wchar_t>(data[i + 1] | (data[i + 2] << 8)));
            i += 2;
        } else {
            text.push_back(static_cast<wchar_t>(data[i]));
        }
    }
    return text;
}

std::vector<std::wstring> Pieces(std::wstring_view text, std::size_t count) {
    std::vector<std::wstring> pieces;
    while (pieces.size() + 1 < count) {
        const std::size_t nul = text.find(L'\0');
        if (nul == std::wstring_view::npos) {
            break;
        }
        pieces.emplace_back(text.substr(0, nul));
        text.remove_prefix(nul + 1);
    }
    pieces.emplace_back(text);
    pieces.resize(count);
    return pieces;
}

std::wstring Join(const std::vector<std::wstring>& parts, std::wstring_view separator) {
    std::wstring text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            text += separator;
        }
        text += parts[i];
    }
    return text;
}

void Fail(const char* property, const char* file, int line) {
    std::fprintf(stderr, "property violated: %s (%s:%d)\n", property, file, line);
    std::abort();
}

}  // namespace fuzz
