#include "support/path_separators.h"

namespace support {
namespace {

template <typename Char>
std::basic_string<Char> Normalize(std::basic_string_view<Char> path) {
    constexpr Char backslash = static_cast<Char>('\\');
    constexpr Char slash = static_cast<Char>('/');
    std::basic_string<Char> slashes(path);
    for (auto& c : slashes) {
        if (c == slash) {
            c = backslash;
        }
    }
    const bool networkPath =
        slashes.size() >= 2 && slashes[0] == backslash && slashes[1] == backslash;

    std::basic_string<Char> result;
    result.reserve(slashes.size() + 1);
    for (size_t i = 0; i < slashes.size(); ++i) {
        result.push_back(slashes[i]);
        // One pass, as a plain replace would do it: "\\\" gives "\\", "\\\\" gives "\\".
        if (slashes[i] == backslash && i + 1 < slashes.size() && slashes[i + 1] == backslash) {
            ++i;
        }
    }
    if (networkPath && !result.empty() && result[0] == backslash) {
        result.insert(result.begin(), backslash);
    }
    return result;
}

}  // namespace

std::string NormalizePathSeparators(std::string_view path) {
    return Normalize(path);
}

std::wstring NormalizePathSeparators(std::wstring_view path) {
    return Normalize(path);
}

}  // namespace support
