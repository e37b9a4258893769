#include "messages/timestamp_pattern.h"

#include "messages/timestamp_picture.h"

namespace launcher {
namespace {

using FormatFunction = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int);

// One formatting pass; a picture the system cannot format stays as it is.
std::wstring FormatPass(FormatFunction format, const std::wstring& picture,
                        const SYSTEMTIME& time) {
    if (picture.empty()) {
        return picture;
    }
    // Sized by asking first, so that a long picture is not cut.
    const int needed = format(LOCALE_USER_DEFAULT, 0, &time, picture.c_str(), nullptr, 0);
    if (needed <= 0) {
        return picture;
    }
    std::wstring text(static_cast<size_t>(needed), L'\0');
    const int written = format(LOCALE_USER_DEFAULT, 0, &time, picture.c_str(), text.data(), needed);
    if (written <= 0) {
        return picture;
    }
    text.resize(static_cast<size_t>(written) - 1);
    return text;
}

}  // namespace

void ExpandTimestampPattern(std::wstring& name, const SYSTEMTIME& time) {
    std::optional<TimestampPicture> parts = FindTimestampPicture(name);
    if (!parts) {
        return;
    }
    std::wstring picture = InsertMilliseconds(parts->picture, time.wMilliseconds);
    picture = FormatPass(::GetTimeFormatW, picture, time);
    picture = FormatPass(::GetDateFormatW, picture, time);
    name = parts->before + picture + parts->after;
}

}  // namespace launcher
