// The last way: the user's mail program opens a prepared mail from a "mailto:" link, the
// user attaches the documents by hand and tells us whether the mail went out.
#include <windows.h>
#include <shellapi.h>

#include "delivery/delivery_chain.h"
#include "delivery/mailto_link.h"
#include "delivery/path_parts.h"
#include "job/job_messages.h"

namespace mailer {
namespace {

// Explorer with the folder, in a normal window, without waiting for it.
void ShowFolder(const std::wstring& folder) {
    std::wstring commandLine = L"explorer " + folder;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

}  // namespace

bool SendStandardMail(const MailForm& form, const MailJob& mail) {
    const bool withDocuments = !mail.documents.empty();
    const std::wstring first = withDocuments ? mail.documents.front() : std::wstring();
    // Percent-encoded, the link is plain ASCII whatever the code page.
    const std::string link = MailtoLink(mail.recipient, mail.subject, mail.body, mail.documents);
    ::ShellExecuteA(form.Handle(), "open", link.c_str(), nullptr, nullptr, SW_HIDE);

    const std::wstring folder = ParentFolderOf(first);
    const int answer = form.Box(AttachByHandQuestion(folder, withDocuments), kProgramTitle,
                                MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) {
        return false;
    }
    if (withDocuments) {
        ShowFolder(folder);
    }
    return true;
}

}  // namespace mailer
