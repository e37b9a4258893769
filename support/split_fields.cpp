#include "support/split_fields.h"

namespace support {

std::vector<std::wstring> SplitFields(std::wstring_view text, std::wstring_view separator) {
    std::vector<std::wstring> fields;
    if (text.empty()) {
        return fields;
    }
    if (separator.empty()) {
        fields.emplace_back(text);
        return fields;
    }
    size_t position = 0;
    for (;;) {
        const size_t found = text.find(separator, position);
        if (found == std::wstring_view::npos) {
            break;
        }
        fields.emplace_back(text.substr(position, found - position));
        position = found + separator.size();
        if (position >= text.size()) {
            return fields;
        }
    }
    fields.emplace_back(text.substr(position));
    return fields;
}

}  // namespace support
