#include "messages/timestamp_picture.h"

#include "support/decimal_text.h"

namespace launcher {

std::optional<TimestampPicture> FindTimestampPicture(std::wstring_view name) {
    const size_t first = name.find(L'%');
    if (first == std::wstring_view::npos) {
        return std::nullopt;
    }
    const size_t last = name.rfind(L'%');
    TimestampPicture parts;
    parts.before = name.substr(0, first);
    if (last > first) {
        parts.picture = name.substr(first + 1, last - first - 1);
    }
    parts.after = name.substr(last + 1);
    return parts;
}

std::wstring InsertMilliseconds(std::wstring_view picture, unsigned milliseconds) {
    const std::wstring digits = support::DecimalText(milliseconds);
    std::wstring text;
    for (wchar_t c : picture) {
        if (c == L'L') {
            text += digits;
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace launcher
