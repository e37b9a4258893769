#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace support {

// Splits text at every occurrence of separator. Empty leading and inner fields survive,
// an empty last field does not; an empty text gives no field. An empty separator never
// matches, so the text is the only field.
std::vector<std::wstring> SplitFields(std::wstring_view text, std::wstring_view separator);

}  // namespace support
