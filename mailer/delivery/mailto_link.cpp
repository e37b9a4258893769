#include "delivery/mailto_link.h"

#include "support/utf8.h"

namespace mailer {
namespace {

bool Unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// Every byte but the unreserved ones (and those in `keep`) as %XX.
std::string PercentEncoded(std::wstring_view text, std::string_view keep = {}) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char byte : support::WideToUtf8(text)) {
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
