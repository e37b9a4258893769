#pragma once
// Fills the placeholders of a catalogue text: %s takes a text, %d a signed 32-bit number,
// %% is one percent sign. The catalogue uses nothing else.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace launcher {

using MessageArgument = std::variant<std::wstring_view, std::int32_t>;

// Arguments are taken in order. A missing argument fills in nothing; a number for %s and
// a text for %d are written as they are; any other "%" sequence is copied unchanged.
std::wstring FillPlaceholders(std::wstring_view format,
                              std::initializer_list<MessageArgument> arguments);

}  // namespace launcher
