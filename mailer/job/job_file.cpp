#include "job/job_file.h"

#include <windows.h>
#include <oleauto.h>

#include "file_access.h"
#include "job/job_path.h"
#include "support/profile_value.h"
#include "support/text_conversion.h"
#include "support/trim_blanks.h"

namespace mailer {

std::wstring INIGetValue(const std::wstring& path, const std::wstring& section,
                         const std::wstring& key) {
    // The wide profile function reads an ANSI file in the system's code page, as the ANSI
    // one does, and takes long paths.
    return support::ReadProfileValue(FileSystemPath(path), section, key);
}

namespace {

// A byte-order mark names the encoding and is dropped; without one the text is ANSI.
std::wstring DecodeText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return support::Utf8ToWide(bytes.substr(3));
    }
    const bool littleEndian = bytes.starts_with("\xFF\xFE");
    if (!littleEndian && !bytes.starts_with("\xFE\xFF")) {
        return support::SystemAnsiToWide(bytes);
    }
    std::wstring text;
    for (size_t at = 2; at + 1 < bytes.size(); at += 2) {  // an odd last byte is dropped
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        text += static_cast<wchar_t>(littleEndian ? first | second << 8 : first << 8 | second);
    }
    return text;
}

}  // namespace

std::optional<std::wstring> ReadBodyFile(const std::wstring& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    return std::wstring(support::TrimBlanks(DecodeText(*bytes)));
}

DocumentCount ParseDocumentCount(const std::wstring& text) {
    SHORT value = 0;
    std::wstring writable = text;  // the conversion takes a non-const text
    switch (::VarI2FromStr(writable.data(), LOCALE_USER_DEFAULT, 0, &value)) {
        case S_OK:
            return {CountStatus::Valid, value};
        case DISP_E_OVERFLOW:
            return {CountStatus::OutOfRange, 0};
        default:
            return {CountStatus::NotNumeric, 0};
    }
}

}  // namespace mailer
