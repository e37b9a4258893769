#include "delivery/registry_value.h"

#include "support/file_system.h"
#include "support/registry_value.h"
#include "support/unique_handle.h"

namespace mailer {

std::wstring fWertLesen(HKEY root, const std::wstring& keyPath, const std::wstring& valueName) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return {};
    }
    const support::UniqueKey key(opened);
    return fRegAbfrageWert(key.get(), valueName);
}

std::wstring fRegAbfrageWert(HKEY key, const std::wstring& valueName) {
    const std::optional<support::RegistryValue> value = support::ReadRegistryValue(key, valueName);
    if (!value) {
        return {};
    }
    if (value->type == REG_SZ || value->type == REG_EXPAND_SZ) {
        const std::wstring text = support::TextUpToNul(value->data);
        // The usual form is "%ProgramFiles%\…": unexpanded it names no file.
        return value->type == REG_EXPAND_SZ ? support::ExpandEnvironment(text) : text;
    }
    if (value->type == REG_BINARY && !value->data.empty() && value->data.size() <= 2) {
        const BYTE high = value->data.size() == 2 ? value->data[1] : 0;
        return std::to_wstring(static_cast<short>(value->data[0] | (high << 8)));
    }
    return {};
}

}  // namespace mailer
