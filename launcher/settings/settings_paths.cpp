#include "settings/settings_paths.h"

#include <windows.h>

#include "messages/error_report.h"
#include "messages/message_ids.h"
#include "settings/settings_path_rules.h"
#include "support/file_system.h"
#include "support/path_text.h"
#include "support/unique_handle.h"

namespace launcher {
namespace {

std::optional<std::wstring> EnvironmentValue(const wchar_t* name) {
    std::wstring value(260, L'\0');
    for (;;) {
        const DWORD length =
            ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            return std::nullopt;
        }
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.assign(length, L'\0');
    }
}

}  // namespace

std::optional<std::wstring> ModulePath() {
    std::optional<std::wstring> path = support::ModuleFilePath();
    if (!path) {
        ReportSystemError(text::kNoModulePath);
    }
    return path;
}

std::optional<std::wstring> SettingsFilePath() {
    const std::optional<std::wstring> program = ModulePath();
    return program ? SettingsPathFor(*program) : std::nullopt;
}

std::optional<std::wstring> UserSettingsFilePath(const LauncherSettings& settings,
                                                 const std::wstring& programPath, bool create) {
    const std::optional<std::wstring> appData = EnvironmentValue(L"APPDATA");
    if (!appData || appData->empty()) {
        return std::nullopt;
    }
    if (create) {
        std::wstring folder = *appData + L"\\" + SanitizeProductName(settings.productName);
        ::CreateDirectoryW(folder.c_str(), nullptr);
        folder += L"\\" + settings.productCode;
        ::CreateDirectoryW(folder.c_str(), nullptr);
    }
    return UserSettingsPathFor(*appData, settings.productName, settings.productCode, programPath);
}

std::optional<std::wstring> PairSettingsFilePath(const LauncherSettings& settings) {
    if (settings.pairProduct.empty()) {
        return std::nullopt;
    }
    return SettingsPathFor(settings.pairProduct);
}

std::optional<std::wstring> PairUserSettingsFilePath(const LauncherSettings& settings) {
    if (settings.pairProduct.empty()) {
        return std::nullopt;
    }
    return UserSettingsFilePath(settings, settings.pairProduct, true);
}

bool FileFound(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    const std::wstring longForm = support::ToLongPathForm(path);
    support::UniqueFindHandle search(
        support::ValidOrNull(::FindFirstFileW(longForm.c_str(), &data)));
    return search != nullptr;
}

}  // namespace launcher
