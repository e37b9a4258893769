#include "support/text_conversion.h"

#include <windows.h>

#include <climits>

namespace support {

namespace {

std::string WideToCodePage(std::wstring_view text, UINT codePage) {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed =
        ::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string result(static_cast<size_t>(needed), '\0');
    const int written = ::WideCharToMultiByte(codePage, 0, text.data(), length, result.data(),
                                              needed, nullptr, nullptr);
    result.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return result;
}

std::wstring CodePageToWide(std::string_view text, UINT codePage) {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring result(static_cast<size_t>(needed), L'\0');
    const int written =
        ::MultiByteToWideChar(codePage, 0, text.data(), length, result.data(), needed);
    result.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return result;
}

}  // namespace

std::string WideToAnsi(std::wstring_view text) {
    return WideToCodePage(text, CP_THREAD_ACP);
}

std::wstring AnsiToWide(std::string_view text) {
    return CodePageToWide(text, CP_THREAD_ACP);
}

std::string WideToSystemAnsi(std::wstring_view text) {
    return WideToCodePage(text, CP_ACP);
}

std::wstring SystemAnsiToWide(std::string_view text) {
    return CodePageToWide(text, CP_ACP);
}

std::wstring Utf8ToWide(std::string_view text) {
    return CodePageToWide(text, CP_UTF8);
}

}  // namespace support
