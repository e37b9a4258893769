#pragma once
// The texts of letterstart's message boxes.
#include <string>
#include <string_view>

namespace letterstart {

inline constexpr std::wstring_view kNoticeTitle = L"Hinweis";
inline constexpr std::wstring_view kFailureTitle =
    L"Quelle: in procedure Form_Load of Formular Form1";

// A step that cannot cut its text fails as an invalid procedure call would.
inline constexpr long kInvalidArgumentNumber = 5;
inline constexpr std::wstring_view kInvalidArgumentText =
    L"Ungültiger Prozeduraufruf oder ungültiges Argument";

std::wstring MissingFileText(std::wstring_view path);
std::wstring FailureText(int step, long errorNumber, std::wstring_view description);

}  // namespace letterstart
