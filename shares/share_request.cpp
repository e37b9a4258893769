#include "share_request.h"

#include "decimal_text.h"

namespace pubdirs {

FailureOption ParseFailureOption(std::wstring_view options) {
    switch (ParseDecimal(options)) {
        case 0:
            return FailureOption::Ask;
        case 1:
            return FailureOption::Replace;
        default:
            return FailureOption::GiveUp;
    }
}

std::uint32_t ParseUserLimit(std::wstring_view userLimit) {
    if (userLimit.empty()) {
        return kNoUserLimit;
    }
    return static_cast<std::uint32_t>(ParseDecimal(userLimit));
}

bool IsDriveRoot(std::wstring_view path) {
    return path.size() == 3 && path[1] == L':' && path[2] == L'\\';
}

}  // namespace pubdirs
