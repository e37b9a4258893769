#include "settings/setting_values.h"

#include <algorithm>

#include "support/split_fields.h"

namespace launcher {
namespace {

wchar_t FoldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c;
}

}  // namespace

bool EqualsIgnoringCase(std::wstring_view left, std::wstring_view right) {
    return std::ranges::equal(left, right,
                              [](wchar_t a, wchar_t b) { return FoldAscii(a) == FoldAscii(b); });
}

bool IsYesIgnoringCase(std::wstring_view value) {
    return EqualsIgnoringCase(value, L"Yes");
}

std::wstring WithFallbackBlank(std::wstring value) {
    if (!value.empty() && value.front() != L' ') {
        value.insert(value.begin(), L' ');
    }
    return value;
}

Version ParseMinimumVersion(std::wstring_view value) {
    Version version;
    if (value == L"any") {
        version.groups = 4;
        return version;
    }
    ParseVersion(value, 0, version);
    return version;
}

Version ParseMaximumVersion(std::wstring_view value) {
    Version version;
    if (value == L"any") {
        version.components.fill(kVersionFillMaximum);
        version.groups = 4;
        return version;
    }
    ParseVersion(value, kVersionFillMaximum, version);
    return version;
}

std::vector<std::wstring> SplitPreferredVersions(std::wstring_view value) {
    return support::SplitFields(value, L";");
}

int ParseJvmType(std::wstring_view value) {
    if (value == L"server") {
        return kJvmTypeServer;
    }
    if (value == L"favor_server") {
        return kJvmTypeFavorServer;
    }
    return kJvmTypeAny;
}

void ApplyJvmSource(std::wstring_view value, LauncherSettings& settings) {
    struct Row {
        std::wstring_view value;
        bool favorKind;
        bool allowJdk;
        bool allowJre;
    };
    static constexpr Row kRows[] = {
        {L"favor_JRE", true, false, true},
        {L"favor_JDK", true, true, false},
        {L"only_JDK", false, true, false},
        {L"only_JRE", false, false, true},
    };
    if (value.empty()) {
        return;
    }
    for (const Row& row : kRows) {
        if (value == row.value) {
            settings.favorKind = row.favorKind;
            settings.allowJdk = row.allowJdk;
            settings.allowJre = row.allowJre;
            return;
        }
    }
    settings.favorKind = false;
    settings.allowJdk = false;
    settings.allowJre = false;
}

const std::array<VmProviderRow, 6> kVmProviderTable = {{
    {L"jrockit", true, true, false, false, false, false},
    {L"ibm", false, false, false, false, true, true},
    {L"favor_sun", true, false, true, true, true, false},
    {L"favor_jrockit", true, true, true, false, true, false},
    {L"favor_ibm", true, false, true, false, true, true},
    {L"any", true, false, true, false, true, false},
}};

bool ApplyVmProvider(std::wstring_view value, LauncherSettings& settings) {
    for (const VmProviderRow& row : kVmProviderTable) {
        if (EqualsIgnoringCase(value, row.value)) {
            settings.acceptJrockit = row.acceptJrockit;
            settings.preferJrockit = row.preferJrockit;
            settings.acceptSun = row.acceptSun;
            settings.preferSun = row.preferSun;
            settings.acceptIbm = row.acceptIbm;
            settings.preferIbm = row.preferIbm;
            return true;
        }
    }
    return false;
}

std::wstring InternalClassName(std::wstring_view value) {
    std::wstring name(value);
    std::ranges::replace(name, L'.', L'/');
    return name;
}

}  // namespace launcher
