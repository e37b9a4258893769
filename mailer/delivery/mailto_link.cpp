#include "delivery/mailto_link.h"

#include <type_traits>

namespace mailer {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t CodeUnit(wchar_t c) {
    return static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(c));
}

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// UTF-16 (or, where wchar_t has 32 bits, UTF-32) to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = CodeUnit(text[i]);
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(CodeUnit(text[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (CodeUnit(text[i + 1]) - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c) || c > 0x10FFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

bool Unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// Every byte but the unreserved ones (and those in `keep`) as %XX.
std::string PercentEncoded(std::wstring_view text, std::string_view keep = {}) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char byte : Utf8(text)) {
        const auto c = static_cast<unsigned char>(byte);
        if (Unreserved(c) || keep.find(byte) != std::string_view::npos) {
            out += byte;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    return out;
}

// Line breaks of any style as CR LF, the form a mailto body asks for.
std::wstring WithCrLf(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            out += L"\r\n";
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string MailtoLink(std::wstring_view recipient, std::wstring_view subject,
                       std::wstring_view body, const std::vector<std::wstring>& documents) {
    std::string link = "mailto:" + PercentEncoded(recipient, "@") +
                       "?Subject=" + PercentEncoded(subject) +
                       "&body=" + PercentEncoded(WithCrLf(body));
    if (!documents.empty()) {
        link += "&Attach=" + PercentEncoded(L"\"" + documents.front() + L"\"");
    }
    return link;
}

std::wstring AttachByHandQuestion(std::wstring_view folder, bool withDocuments) {
    const std::wstring confirm =
        L"Wenn Ihre E-Mail versendet wurde, bestätigen Sie bitte mit \"Ja\".";
    if (!withDocuments) {
        return confirm;
    }
    return L"Fügen Sie bitte die Dateien aus dem Ordner \r\n" + std::wstring(folder) +
           L"\r\n\r\neiner E-Mail als Anlage bei.\r\n" + confirm;
}

}  // namespace mailer
