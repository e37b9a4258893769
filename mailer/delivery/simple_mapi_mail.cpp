// The third way: the Simple MAPI functions of "smapi.dll" beside the program, a copy of the
// library that another mail program registers.
#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <vector>

#include "automation/variant.h"
#include "delivery/delivery_chain.h"
#include "delivery/path_parts.h"
#include "delivery/registry_value.h"
#include "delivery/simple_mapi_records.h"
#include "file_access.h"
#include "support/proc_address.h"
#include "support/text_conversion.h"
#include "support/unique_handle.h"

namespace mailer {
namespace {

constexpr wchar_t kLibraryName[] = L"smapi.dll";
constexpr wchar_t kRegistrationKey[] = L"SOFTWARE\\Clients\\Mail\\Windows Live Mail";
constexpr ULONG kNewSession = 2;  // MAPI_NEW_SESSION: no logon dialog
constexpr ULONG kTo = 1;          // MAPI_TO

std::wstring LibraryPath(const MailForm& form) {
    return GetPath(form, ProgramFolder() + L"\\") + kLibraryName;
}

// A counted string of ANSI bytes, the form the library's records take.
automation::Bstr AnsiText(const std::wstring& text) {
    const std::string bytes = support::WideToSystemAnsi(text);
    automation::Bstr result;
    *result.Receive() = ::SysAllocStringByteLen(bytes.data(), static_cast<UINT>(bytes.size()));
    return result;
}

// A one-dimensional array of records; the caller owns what the records point to.
template <typename Record>
automation::SafeArray RecordArray(const std::vector<Record>& records) {
    SAFEARRAY* array = nullptr;
    if (FAILED(::SafeArrayAllocDescriptor(1, &array))) {
        return {};
    }
    automation::SafeArray owner(array);
    array->cbElements = sizeof(Record);
    array->rgsabound[0].cElements = static_cast<ULONG>(records.size());
    array->rgsabound[0].lLbound = 0;
    if (FAILED(::SafeArrayAllocData(array))) {
        return {};
    }
    if (!records.empty()) {
        std::memcpy(array->pvData, records.data(), records.size() * sizeof(Record));
    }
    return owner;
}

// The library, loaded at the first call and kept for the process, as the platform keeps a
// library whose functions a program declares: a session left open may still need it.
HMODULE Library(const std::wstring& path) {
    static support::UniqueLibrary library(
        ::LoadLibraryExW(FileSystemPath(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    return library.get();
}

bool SendThroughLibrary(const MailForm& form, const MailJob& mail) {
    const std::wstring path = LibraryPath(form);
    if (!FileExists(path) && !ProvideLiveMailMapiLibrary(form)) {
        return false;
    }
    const HMODULE library = Library(path);
    if (library == nullptr) {
        return false;
    }
    const auto logon = support::ProcAddress<MapiLogonFunction>(library, "MAPILogon");
    const auto send = support::ProcAddress<BMapiSendMailFunction>(library, "BMAPISendMail");
    const auto logoff = support::ProcAddress<MapiLogoffFunction>(library, "MAPILogoff");
    if (logon == nullptr || send == nullptr || logoff == nullptr) {
        return false;
    }

    ULONG_PTR session = 0;
    char empty[] = "";
    if (logon(0, empty, empty, kNewSession, 0, &session) != 0) {
        return false;
    }

    const automation::Bstr subject = AnsiText(mail.subject);
    const automation::Bstr body = AnsiText(mail.body);
    MapiTextMessage message{};
    message.reserved = 0;
    message.noteText = body.Get();
    message.fileCount = static_cast<ULONG>(mail.documents.size());
    message.recipCount = 1;
    message.subject = subject.Get();

    // Two records, of which only the first is filled.
    const automation::Bstr name = AnsiText(mail.recipient);
    std::vector<MapiTextRecipient> recipients(2, MapiTextRecipient{});
    recipients[0].name = name.Get();
    recipients[0].recipClass = kTo;
    recipients[0].reserved = 0;

    std::vector<automation::Bstr> texts;  // owners of the file records' strings
    texts.reserve(mail.documents.size() * 3);
    std::vector<MapiTextFile> files(mail.documents.size(), MapiTextFile{});
    for (size_t k = 0; k < mail.documents.size(); ++k) {
        const std::wstring& document = mail.documents[k];
        PauseBeforeDocument(document);
        files[k].pathName = texts.emplace_back(AnsiText(document)).Get();
        files[k].fileName = texts.emplace_back(AnsiText(FileNameOf(document))).Get();
        files[k].fileType = texts.emplace_back(AnsiText(L"")).Get();
    }

    automation::SafeArray recipientArray = RecordArray(recipients);
    automation::SafeArray fileArray = RecordArray(files);
    if (recipientArray.Get() == nullptr || fileArray.Get() == nullptr) {
        return false;
    }
    SAFEARRAY* recipientPointer = recipientArray.Get();
    SAFEARRAY* filePointer = fileArray.Get();
    if (send(session, 0, &message, &recipientPointer, &filePointer, 0, 0) != 0) {
        return false;  // the session stays logged on, as after any failed send
    }
    logoff(session, 0, 0, 0);
    return true;
}

}  // namespace

bool ProvideLiveMailMapiLibrary(const MailForm& form) {
    const std::wstring source = fWertLesen(HKEY_LOCAL_MACHINE, kRegistrationKey, L"DLLPath");
    const std::wstring target = LibraryPath(form);
    if (FileExists(source)) {
        CopyFileOver(source, target);
    }
    return FileExists(target);
}

WayOutcome SendSimpleMapiMail(const MailForm& form, const MailJob& mail) {
    return SendThroughLibrary(form, mail) ? WayOutcome::Sent : WayOutcome::HandOver;
}

}  // namespace mailer
