// The way between the library beside the program and the mailto link: the machine's default
// mail program, reached through the system's Simple MAPI, which hands the mail on to it. The
// user sees the prepared mail with its attachments there and sends it.
#include <windows.h>

#include <string>
#include <vector>

#include "delivery/delivery_chain.h"
#include "delivery/path_parts.h"
#include "delivery/registry_value.h"
#include "delivery/system_mapi_records.h"
#include "file_access.h"
#include "support/proc_address.h"
#include "support/text_conversion.h"
#include "support/unique_handle.h"

namespace mailer {
namespace {

constexpr wchar_t kClientsKey[] = L"Software\\Clients\\Mail";
constexpr ULONG kTo = 1;                 // MAPI_TO
constexpr ULONG kLogonUi = 0x1;          // MAPI_LOGON_UI
constexpr ULONG kDialog = 0x8;           // MAPI_DIALOG
constexpr ULONG kSuccess = 0;            // SUCCESS_SUCCESS
constexpr ULONG kUnplaced = 0xFFFFFFFF;  // the mail program places the attachment

// A default mail program whose key names a library that exists. Without one the system's
// MAPI32 may show a box of its own, which the user must never see.
bool DefaultMailProgramRegistered() {
    std::wstring name = fWertLesen(HKEY_CURRENT_USER, kClientsKey, L"");
    if (name.empty()) {
        name = fWertLesen(HKEY_LOCAL_MACHINE, kClientsKey, L"");
    }
    if (name.empty()) {
        return false;
    }
    const std::wstring key = std::wstring(kClientsKey) + L"\\" + name;
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const wchar_t* value : {L"DLLPath", L"DLLPathEx"}) {
            if (FileExists(fWertLesen(root, key, value))) {
                return true;
            }
        }
    }
    return false;
}

// The system's library from the system folder, never one found beside the program; kept for
// the process, as a mail program may keep threads in it.
HMODULE SystemMapiLibrary() {
    static const support::UniqueLibrary library = [] {
        const UINT length = ::GetSystemDirectoryW(nullptr, 0);
        std::wstring path(length, L'\0');
        path.resize(::GetSystemDirectoryW(path.data(), length));
        return support::UniqueLibrary(::LoadLibraryW((path + L"\\MAPI32.DLL").c_str()));
    }();
    return library.get();
}

std::wstring Wide(std::wstring_view text) {
    return std::wstring(text);
}

std::string Ansi(std::wstring_view text) {
    return support::WideToSystemAnsi(text);
}

// One mail in the records of either form; the texts live until the call has returned.
template <typename Char>
ULONG SendThrough(SystemMapiSendMail<Char> send, const MailJob& mail,
                  std::basic_string<Char> (*convert)(std::wstring_view)) {
    std::basic_string<Char> subject = convert(mail.subject);
    std::basic_string<Char> body = convert(mail.body);
    std::basic_string<Char> name = convert(mail.recipient);
    std::basic_string<Char> address = convert(L"SMTP:" + mail.recipient);
    SystemMapiRecipient<Char> recipient{0, kTo, name.data(), address.data(), 0, nullptr};

    // Reserved up front, so that the records' pointers into the texts stay valid.
    std::vector<std::basic_string<Char>> texts;
    texts.reserve(mail.documents.size() * 2);
    std::vector<SystemMapiFile<Char>> files;
    for (const std::wstring& document : mail.documents) {
        if (document.empty()) {
            continue;  // a document key that is missing attaches nothing
        }
        PauseBeforeDocument(document);
        Char* const path = texts.emplace_back(convert(document)).data();
        Char* const fileName = texts.emplace_back(convert(FileNameOf(document))).data();
        files.push_back({0, 0, kUnplaced, path, fileName, nullptr});
    }

    SystemMapiMessage<Char> message{};
    message.subject = subject.data();
    message.noteText = body.data();
    message.recipCount = 1;
    message.recips = &recipient;
    message.fileCount = static_cast<ULONG>(files.size());
    message.files = files.empty() ? nullptr : files.data();
    return send(0, 0, &message, kDialog | kLogonUi, 0);
}

}  // namespace

WayOutcome SendDefaultProgramMail(const MailForm&, const MailJob& mail) {
    if (!mail.useDefaultProgram || !DefaultMailProgramRegistered()) {
        return WayOutcome::HandOver;
    }
    const HMODULE mapi = SystemMapiLibrary();
    if (mapi == nullptr) {
        return WayOutcome::HandOver;
    }
    ULONG result = ~kSuccess;
    // MAPISendMailW exists from Windows 8 on; before, only the ANSI form.
    if (const auto wide =
            support::ProcAddress<SystemMapiSendMail<wchar_t>>(mapi, "MAPISendMailW")) {
        result = SendThrough<wchar_t>(wide, mail, Wide);
    } else if (const auto ansi =
                   support::ProcAddress<SystemMapiSendMail<char>>(mapi, "MAPISendMail")) {
        result = SendThrough<char>(ansi, mail, Ansi);
    }
    // Any other answer, the user's cancel included, leaves the mailto link to the user.
    return result == kSuccess ? WayOutcome::Sent : WayOutcome::HandOver;
}

}  // namespace mailer
