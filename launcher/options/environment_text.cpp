#include "options/environment_text.h"

#include <optional>
#include <utility>

#include "support/file_system.h"

namespace launcher {
namespace {

// ExpandEnvironmentStringsW's own limit, terminating NUL included.
constexpr size_t kPlatformLimit = 32767;

// The platform's expansion when it surely took the whole text; nothing otherwise.
bool ExpandWhole(const std::wstring& text, std::wstring& expanded) {
    if (text.size() >= kPlatformLimit) {
        return false;
    }
    std::optional<std::wstring> result = support::TryExpandEnvironment(text);
    // A result at the limit may have been cut short. A variable set to nothing expands to
    // nothing, which is not a failure.
    if (!result || result->size() >= kPlatformLimit - 1) {
        return false;
    }
    expanded = std::move(*result);
    return true;
}

}  // namespace

std::wstring ExpandVariables(const std::wstring& text) {
    if (text.find(L'%') == std::wstring::npos) {
        return text;
    }
    std::wstring expanded;
    if (ExpandWhole(text, expanded)) {
        return expanded;
    }
    expanded.clear();
    size_t start = 0;
    for (;;) {
        const size_t separator = text.find(L';', start);
        const std::wstring piece = text.substr(start, separator - start);
        std::wstring pieceExpanded;
        const bool hasReference = piece.find(L'%') != std::wstring::npos;
        expanded += hasReference && ExpandWhole(piece, pieceExpanded) ? pieceExpanded : piece;
        if (separator == std::wstring::npos) {
            return expanded;
        }
        expanded += L';';
        start = separator + 1;
    }
}

}  // namespace launcher
