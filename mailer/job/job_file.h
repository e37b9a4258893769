#pragma once
// Reading the mail job file and the body file it names.
#include <optional>
#include <string>

namespace mailer {

// One value of the job file, whole however long; empty when the section or key is missing.
// The file is an ANSI profile file; the value arrives in UTF-16.
std::wstring INIGetValue(const std::wstring& path, const std::wstring& section,
                         const std::wstring& key);

// The body file's whole content, with blanks (U+0020) trimmed at both ends; line breaks stay.
// A UTF-8 or UTF-16 byte-order mark decides the encoding and is dropped; without one the file
// is read in the system's ANSI code page. Nothing when it cannot be opened or read.
std::optional<std::wstring> ReadBodyFile(const std::wstring& path);

enum class CountStatus { Valid, NotNumeric, OutOfRange };

struct DocumentCount {
    CountStatus status = CountStatus::NotNumeric;
    int value = 0;  // signed 16-bit when valid
};

// The count text as the user's locale reads a number: blanks around it, a sign, the
// locale's separators; a fraction rounds to the nearest whole, a half to the even one.
DocumentCount ParseDocumentCount(const std::wstring& text);

}  // namespace mailer
