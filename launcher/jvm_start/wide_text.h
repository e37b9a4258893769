#pragma once
// Windows keeps UTF-16 in wchar_t, the JNI layer in char16_t: the same units.
#include <string>
#include <string_view>

namespace launcher {

inline std::u16string ToU16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace launcher
