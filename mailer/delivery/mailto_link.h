#pragma once
// The "mailto:" link and the question of the last delivery method.
#include <string>
#include <string_view>
#include <vector>

namespace mailer {

// "mailto:" + recipient + "?Subject=" + subject + "&body=" + body + "&Attach=" + the first
// document in double quotes. Every part is percent-encoded as UTF-8 (RFC 6068), line breaks
// of the body as %0D%0A, so that "&", "?", "#", "%" or a line break cannot cut the mail.
// Without documents the "&Attach=" part is left out.
std::string MailtoLink(std::wstring_view recipient, std::wstring_view subject,
                       std::wstring_view body, const std::vector<std::wstring>& documents);

// The text of the yes/no question that follows the link: where the documents to attach by
// hand lie, and the request to confirm the sending. Without documents only the latter.
std::wstring AttachByHandQuestion(std::wstring_view folder, bool withDocuments);

}  // namespace mailer
