#include "options/vm_parameters.h"

namespace launcher {

std::vector<std::wstring> SplitVmParameters(std::wstring_view value) {
    std::vector<std::wstring> options;
    std::wstring current;
    bool quoted = false;
    for (const wchar_t c : value) {
        if (c == L'"') {
            quoted = !quoted;
        } else if (c == L' ' && !quoted) {
            if (!current.empty()) {
                options.push_back(std::move(current));
                current.clear();
            }
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        options.push_back(std::move(current));
    }
    return options;
}

}  // namespace launcher
