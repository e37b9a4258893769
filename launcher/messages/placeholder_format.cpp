#include "messages/placeholder_format.h"

#include "support/decimal_text.h"

namespace launcher {
namespace {

void Append(std::wstring& text, const MessageArgument& argument) {
    if (const auto* words = std::get_if<std::wstring_view>(&argument)) {
        text += *words;
    } else {
        text += support::DecimalText(std::get<std::int32_t>(argument));
    }
}

}  // namespace

std::wstring FillPlaceholders(std::wstring_view format,
                              std::initializer_list<MessageArgument> arguments) {
    std::wstring text;
    text.reserve(format.size());
    auto next = arguments.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        const wchar_t c = format[i];
        if (c != L'%' || i + 1 == format.size()) {
            text += c;
            continue;
        }
        const wchar_t kind = format[i + 1];
        if (kind == L'%') {
            text += L'%';
            ++i;
        } else if (kind == L's' || kind == L'd') {
            if (next != arguments.end()) {
                Append(text, *next++);
            }
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace launcher
