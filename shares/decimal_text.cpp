#include "decimal_text.h"

namespace pubdirs {

std::int32_t ParseDecimal(std::wstring_view text) {
    size_t position = 0;
    while (position < text.size() && text[position] == L' ') {
        ++position;
    }
    bool negative = false;
    if (position < text.size() && text[position] == L'-') {
        negative = true;
        ++position;
    }
    if (position < text.size() && text[position] == L'+') {
        ++position;
    }
    // Unsigned arithmetic: the wrap-around is intended and defined.
    std::uint32_t value = 0;
    while (position < text.size() && text[position] >= L'0' && text[position] <= L'9') {
        value = value * 10u + static_cast<std::uint32_t>(text[position] - L'0');
        ++position;
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace pubdirs
