#include "windowed/pair_name.h"

namespace launcher {
namespace {

wchar_t Folded(wchar_t c) {
    const bool upperLatin1 = c >= 0xC0 && c <= 0xDE && c != 0xD7;
    return (c >= L'A' && c <= L'Z') || upperLatin1 ? static_cast<wchar_t>(c + 32) : c;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (Folded(a[i]) != Folded(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::wstring> WindowedPairPath(std::wstring_view pairProduct,
                                             std::wstring_view consoleName,
                                             std::wstring_view windowedName) {
    const size_t slash = pairProduct.find_last_of(L"\\/");
    const size_t nameStart = slash == std::wstring_view::npos ? 0 : slash + 1;
    size_t nameEnd = pairProduct.rfind(L'.');
    if (nameEnd == std::wstring_view::npos || nameEnd < nameStart) {
        nameEnd = pairProduct.size();
    }
    if (consoleName.empty() ||
        !SameName(pairProduct.substr(nameStart, nameEnd - nameStart), consoleName)) {
        return std::nullopt;
    }
    std::wstring path(pairProduct.substr(0, nameStart));
    path += windowedName;
    path += pairProduct.substr(nameEnd);
    return path;
}

}  // namespace launcher
