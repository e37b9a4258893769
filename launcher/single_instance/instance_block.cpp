#include "single_instance/instance_block.h"

#include <algorithm>

namespace launcher {

std::wstring InstanceBaseName(std::wstring_view modulePath) {
    std::wstring name(modulePath);
    std::replace(name.begin(), name.end(), L'\\', L'_');
    return name;
}

std::wstring StartEventName(std::wstring_view baseName) {
    return std::wstring(baseName) + L"_upr_evt";
}

std::wstring HandOverLockName(std::wstring_view baseName) {
    return std::wstring(baseName) + L"_handover";
}

std::optional<std::vector<char16_t>> PackArguments(const std::vector<std::u16string>& arguments) {
    std::size_t bytes = 2;
    for (const std::u16string& argument : arguments) {
        bytes += argument.size() * 2 + 2;
        if (bytes > kArgumentLimitBytes) {
            return std::nullopt;
        }
    }
    std::vector<char16_t> units;
    units.reserve(bytes / 2);
    for (const std::u16string& argument : arguments) {
        units.insert(units.end(), argument.begin(), argument.end());
        units.push_back(u'\0');
    }
    units.push_back(u'\0');
    return units;
}

std::vector<std::u16string> UnpackArguments(std::span<const char16_t> area) {
    std::vector<std::u16string> arguments;
    std::u16string current;
    for (std::size_t i = 0; i < area.size(); ++i) {
        if (area[i] != u'\0') {
            current.push_back(area[i]);
            continue;
        }
        arguments.push_back(std::move(current));
        current.clear();
        if (i + 1 >= area.size() || area[i + 1] == u'\0') {
            break;
        }
    }
    return arguments;
}

}  // namespace launcher
