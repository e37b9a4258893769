#include "job/startup.h"

#include <windows.h>

#include "delivery/delivery_chain.h"
#include "file_access.h"
#include "job/job_file.h"
#include "job/job_messages.h"
#include "job/job_path.h"

namespace mailer {
namespace {

constexpr int kSent = 1;
constexpr int kNotSent = -1;
constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION;

std::wstring UpperCase(std::wstring text) {
    if (!text.empty()) {
        ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    }
    return text;
}

}  // namespace

int RunMailJob(const MailForm& form, std::wstring_view commandLine) {
    form.Hide();

    const std::wstring jobPath = UpperCase(NormaliseJobPath(commandLine));
    if (!FileExists(jobPath)) {
        form.Box(FileNotFoundText(jobPath), kProgramTitle, MB_OK);
        return kNotSent;
    }

    MailJob mail;
    mail.recipient = INIGetValue(jobPath, L"Empfaenger", L"Empfaenger1");
    if (mail.recipient.find(L'@') == std::wstring::npos) {
        form.Box(BadAddressText(mail.recipient), kNoticeTitle, kWarning);
        return kNotSent;
    }

    mail.subject = INIGetValue(jobPath, L"Mail", L"Betreff");
    mail.useDefaultProgram = INIGetValue(jobPath, L"Mail", L"Standardprogramm") != L"0";
    const std::wstring bodyPath = INIGetValue(jobPath, L"Mail", L"Text");
    if (!FileExists(bodyPath)) {
        form.Box(FileNotFoundText(bodyPath), kNoticeTitle, kWarning);
        return kNotSent;
    }
    std::optional<std::wstring> body = ReadBodyFile(bodyPath);
    if (!body) {
        return kNotSent;
    }
    mail.body = std::move(*body);

    const std::wstring countText = INIGetValue(jobPath, L"Dokumente", L"AnzahlDokumente");
    const DocumentCount count = ParseDocumentCount(countText);
    if (count.status == CountStatus::NotNumeric) {
        form.Box(BadCountText(countText), kNoticeTitle, kWarning);
        return kNotSent;
    }
    if (count.status == CountStatus::OutOfRange) {
        return kNotSent;
    }
    for (int i = 1; i <= count.value; ++i) {
        mail.documents.push_back(
            INIGetValue(jobPath, L"Dokumente", L"Dokument" + std::to_wstring(i)));
    }

    return DeliverMail(form, mail) ? kSent : kNotSent;
}

}  // namespace mailer
