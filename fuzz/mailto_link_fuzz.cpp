// The mailto link: only unreserved characters, percent escapes and its own structure appear,
// and every part decodes to exactly the UTF-8 of what was given (the body's line breaks as
// CR LF), so no character can cut or change the mail.
#include "delivery/mailto_link.h"
#include "support/utf8.h"
#include "fuzz_text.h"

namespace {

bool Allowed(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           std::string_view("-._~%@?&=:").find(c) != std::string_view::npos;
}

std::string Decoded(std::string_view part) {
    std::string bytes;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] == '%' && i + 2 < part.size()) {
            bytes += static_cast<char>(std::stoi(std::string(part.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            bytes += part[i];
        }
    }
    return bytes;
}

std::wstring WithCrLf(std::wstring_view text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            out += L"\r\n";
            i += text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n' ? 1 : 0;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::wstring> parts = fuzz::Pieces(fuzz::WideText(data, size), 4);
    std::vector<std::wstring> documents;
    if (!parts[3].empty()) {
        documents.push_back(parts[3]);
    }
    const std::string link = mailer::MailtoLink(parts[0], parts[1], parts[2], documents);
    for (char c : link) {
        FUZZ_CHECK(Allowed(c));
    }
    FUZZ_CHECK(link.starts_with("mailto:"));
    const std::size_t subject = link.find("?Subject=");
    const std::size_t body = link.find("&body=");
    const std::size_t attach = link.find("&Attach=");
    FUZZ_CHECK(subject != std::string::npos && body != std::string::npos);
    FUZZ_CHECK((attach != std::string::npos) == !documents.empty());
    const std::size_t bodyEnd = documents.empty() ? link.size() : attach;
    FUZZ_CHECK(Decoded(link.substr(7, subject - 7)) == support::WideToUtf8(parts[0]));
    FUZZ_CHECK(Decoded(link.substr(subject + 9, body - subject - 9)) ==
               support::WideToUtf8(parts[1]));
    FUZZ_CHECK(Decoded(link.substr(body + 6, bodyEnd - body - 6)) ==
               support::WideToUtf8(WithCrLf(parts[2])));
    if (!documents.empty()) {
        FUZZ_CHECK(Decoded(link.substr(attach + 8)) ==
                   support::WideToUtf8(L"\"" + parts[3] + L"\""));
    }
    return 0;
}
