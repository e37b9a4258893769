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

// The Windows folder's Explorer with the folder, in a normal window, without waiting for it.
// By its full path: a search by name would try the program's and the current folder first,
// where any explorer.exe would run.
void ShowFolder(const std::wstring& folder) {
    std::wstring windows(::GetWindowsDirectoryW(nullptr, 0), L'\0');  // with its terminator
    const UINT length = ::GetWindowsDirectoryW(windows.data(), static_cast<UINT>(windows.size()));
    if (length == 0 || length >= windows.size()) {
        return;
    }
    windows.resize(length);
    const std::wstring program = windows + L"\\explorer.exe";
    // One quoted argument; a trailing backslash (a drive root) would escape the closing quote.
    std::wstring commandLine = L"\"" + program + L"\" \"" + folder;
    if (!folder.empty() && folder.back() == L'\\') {
        commandLine += L'\\';
    }
    commandLine += L'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         nullptr, &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

}  // namespace

WayOutcome SendStandardMail(const MailForm& form, const MailJob& mail) {
    const bool withDocuments = !mail.documents.empty();
    const std::wstring first = withDocuments ? mail.documents.front() : std::wstring();
    // Percent-encoded, the link is plain ASCII whatever the code page.
    const std::string link = MailtoLink(mail.recipient, mail.subject, mail.body, mail.documents);
    ::ShellExecuteA(form.Handle(), "open", link.c_str(), nullptr, nullptr, SW_HIDE);

    const std::wstring folder = ParentFolderOf(first);
    const int answer = form.Box(AttachByHandQuestion(folder, withDocuments), kProgramTitle,
                                MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) {
        return WayOutcome::GiveUp;
    }
    if (withDocuments) {
        ShowFolder(folder);
    }
    return WayOutcome::Sent;
}

}  // namespace mailer
