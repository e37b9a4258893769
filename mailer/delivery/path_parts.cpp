#include "delivery/path_parts.h"

namespace mailer {
namespace {

constexpr std::wstring_view kSeparators = L"\\/";

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// Length of "X:" at the start, else 0.
size_t DriveLength(std::wstring_view path) {
    return path.size() >= 2 && path[1] == L':' ? 2 : 0;
}

// Without separators at the end, unless they are all there is after the drive.
std::wstring_view WithoutTrailingSeparators(std::wstring_view path) {
    const size_t drive = DriveLength(path);
    while (path.size() > drive + 1 && IsSeparator(path.back())) {
        path.remove_suffix(1);
    }
    return path;
}

}  // namespace

std::wstring FileNameOf(std::wstring_view path) {
    path = WithoutTrailingSeparators(path);
    const size_t cut = path.find_last_of(kSeparators);
    const size_t start = cut == std::wstring_view::npos ? DriveLength(path) : cut + 1;
    return std::wstring(path.substr(start));
}

std::wstring ParentFolderOf(std::wstring_view path) {
    path = WithoutTrailingSeparators(path);
    const size_t drive = DriveLength(path);
    size_t cut = path.find_last_of(kSeparators);
    if (cut == std::wstring_view::npos || cut < drive) {
        return std::wstring(path.substr(0, drive));
    }
    // Separators written twice in a row belong together.
    while (cut > drive && IsSeparator(path[cut - 1])) {
        --cut;
    }
    if (cut == drive) {  // the root itself: "\" or "X:\"
        return std::wstring(path.substr(0, drive + 1));
    }
    return std::wstring(path.substr(0, cut));
}

}  // namespace mailer
