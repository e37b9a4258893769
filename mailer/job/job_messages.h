#pragma once
// The texts the start-up shows when a mail job cannot be sent.
#include <string>
#include <string_view>

namespace mailer {

// Title of the notices; the missing-job box has none of its own and shows the program's.
inline constexpr wchar_t kNoticeTitle[] = L"Hinweis";
inline constexpr wchar_t kProgramTitle[] = L"mailer";

// The job file or the body file is not there.
std::wstring FileNotFoundText(std::wstring_view path);
// The recipient has no "@".
std::wstring BadAddressText(std::wstring_view recipient);
// The document count is no number.
std::wstring BadCountText(std::wstring_view count);

// A step of the path rule failed: which step, the error number and its description.
std::wstring GetPathFailureText(int step, long number, std::wstring_view description);

}  // namespace mailer
