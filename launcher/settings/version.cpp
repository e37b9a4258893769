#include "settings/version.h"

#include <limits>

#include "support/decimal_text.h"

namespace launcher {
namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

size_t SkipToDigit(std::wstring_view text, size_t position) {
    while (position < text.size() && !IsDigit(text[position])) {
        ++position;
    }
    return position;
}

}  // namespace

bool ParseVersion(std::wstring_view text, std::int32_t fill, Version& version) {
    version = {};
    size_t position = SkipToDigit(text, 0);
    if (position == text.size()) {
        return false;
    }
    int groups = 0;
    while (position < text.size()) {
        if (groups == 4) {
            // A fifth group is counted but not stored.
            groups = 5;
            break;
        }
        std::int32_t value = 0;
        for (; position < text.size() && IsDigit(text[position]); ++position) {
            const std::int32_t digit = text[position] - L'0';
            // Checked before the step so that no group can pass 2147483647.
            if (value > (std::numeric_limits<std::int32_t>::max() - digit) / 10) {
                version = {};
                return false;
            }
            value = value * 10 + digit;
        }
        version.components[groups++] = value;
        position = SkipToDigit(text, position);
    }
    version.groups = groups;
    for (int i = groups; i < 4; ++i) {
        version.components[i] = fill;
    }
    return true;
}

std::wstring FormatVersion(const Version& version) {
    int last = -1;
    for (int i = 3; i >= 0; --i) {
        if (version.components[i] != 0 && version.components[i] != kVersionFillMaximum) {
            last = i;
            break;
        }
    }
    if (last < 0) {
        return L"0.0.0.0";
    }
    if (last < 1) {
        last = 1;
    }
    std::wstring text;
    for (int i = 0; i <= last; ++i) {
        if (i > 0) {
            text += L'.';
        }
        text += support::DecimalText(version.components[i]);
    }
    return text;
}

int CompareVersions(const Version& left, const Version& right) {
    for (size_t i = 0; i < 4; ++i) {
        if (left.components[i] != right.components[i]) {
            return left.components[i] < right.components[i] ? -1 : 1;
        }
    }
    return 0;
}

}  // namespace launcher
