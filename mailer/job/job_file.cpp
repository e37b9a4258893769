#include "job/job_file.h"

#include <windows.h>
#include <oleauto.h>

#include "file_access.h"
#include "job/job_path.h"
#include "support/profile_value.h"
#include "support/text_conversion.h"

namespace mailer {

std::wstring INIGetValue(const std::wstring& path, const std::wstring& section,
                         const std::wstring& key) {
    // The wide profile function reads an ANSI file in the system's code page, as the ANSI
    // one does, and takes long paths.
    return support::ReadProfileValue(FileSystemPath(path), section, key);
}

std::optional<std::wstring> ReadBodyFile(const std::wstring& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    return TrimBlanks(support::SystemAnsiToWide(*bytes));
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
