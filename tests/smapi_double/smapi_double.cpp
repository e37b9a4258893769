// A stand-in Simple MAPI library for mailer's tests: "smapi.dll" beside the program, and the
// registered default mail program's library, to which the system's MAPI32 hands
// MAPISendMailW. Built without the wide form, it also stands in for an older system's
// MAPI32.DLL itself. It sends nothing; it writes every call with its records to
// smapi_calls.log beside itself and answers what smapi_results.ini beside itself says
// ([Results] MAPILogon=, BMAPISendMail=, MAPISendMailW=, MAPISendMail=; 0 by default).
// Counted strings are logged as length:"bytes", other texts as "bytes" (UTF-8 for the wide
// form), with '"', '%', CR and LF as %XX; a null string as null.
#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <string>

#include "delivery/simple_mapi_records.h"
#include "delivery/system_mapi_records.h"

namespace {

constexpr ULONG_PTR kSession = 4711;

std::wstring Beside(const wchar_t* name) {
    HMODULE self = nullptr;
    ::GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&Beside), &self);
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(self, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

ULONG Result(const wchar_t* function) {
    return static_cast<ULONG>(
        ::GetPrivateProfileIntW(L"Results", function, 0, Beside(L"smapi_results.ini").c_str()));
}

void Log(const std::string& line) {
    const HANDLE file =
        ::CreateFileW(Beside(L"smapi_calls.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string text = line + "\n";
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string Escaped(const char* bytes, size_t length) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '"' || c == '%' || c == '\r' || c == '\n') {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// Built by appending: gcc 12 warns wrongly about "x" + std::string at -O3.
std::string Quoted(const char* bytes, size_t length) {
    std::string out(1, '"');
    out.append(Escaped(bytes, length));
    out.push_back('"');
    return out;
}

std::string Text(const char* text) {
    return text == nullptr ? std::string("null") : Quoted(text, std::strlen(text));
}

std::string Counted(BSTR text) {
    if (text == nullptr) {
        return "null";
    }
    const UINT length = ::SysStringByteLen(text);
    std::string out = std::to_string(length);
    out.push_back(':');
    out.append(Quoted(reinterpret_cast<const char*>(text), length));
    return out;
}

[[maybe_unused]] std::string Text(const wchar_t* text) {
    if (text == nullptr) {
        return "null";
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size - 1 : 0, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    return Quoted(bytes.data(), bytes.size());
}

std::string Number(ULONG_PTR value) {
    return std::to_string(value);
}

// "name count=N size=S", then one line per record; nothing more when the array is missing.
template <typename Record, typename Describe>
void LogArray(const char* name, SAFEARRAY** array, Describe describe) {
    if (array == nullptr || *array == nullptr) {
        Log(std::string(name) + " null");
        return;
    }
    const SAFEARRAY* a = *array;
    Log(std::string(name) + " count=" + Number(a->rgsabound[0].cElements) +
        " size=" + Number(a->cbElements));
    const auto* records = static_cast<const Record*>(a->pvData);
    for (ULONG i = 0; i < a->rgsabound[0].cElements; ++i) {
        Log(std::string(name) + "[" + Number(i) + "] " + describe(records[i]));
    }
}

}  // namespace

extern "C" ULONG WINAPI MAPILogon(ULONG_PTR uiParam, LPSTR profile, LPSTR password, ULONG flags,
                                  ULONG reserved, ULONG_PTR* session) {
    const ULONG result = Result(L"MAPILogon");
    Log("MAPILogon ui=" + Number(uiParam) + " profile=" + Text(profile) +
        " password=" + Text(password) + " flags=" + Number(flags) +
        " reserved=" + Number(reserved) + " result=" + Number(result));
    if (session != nullptr) {
        *session = result == 0 ? kSession : 0;
    }
    return result;
}

extern "C" ULONG WINAPI BMAPISendMail(ULONG_PTR session, ULONG_PTR uiParam,
                                      mailer::MapiTextMessage* message, SAFEARRAY** recipients,
                                      SAFEARRAY** files, ULONG flags, ULONG reserved) {
    const ULONG result = Result(L"BMAPISendMail");
    Log("BMAPISendMail session=" + Number(session) + " ui=" + Number(uiParam) +
        " flags=" + Number(flags) + " reserved=" + Number(reserved) + " result=" + Number(result));
    if (message != nullptr) {
        const mailer::MapiTextMessage& m = *message;
        Log("message reserved=" + Number(m.reserved) + " subject=" + Counted(m.subject) +
            " noteText=" + Counted(m.noteText) + " messageType=" + Counted(m.messageType) +
            " dateReceived=" + Counted(m.dateReceived) +
            " conversationId=" + Counted(m.conversationId) + " flags=" + Number(m.flags) +
            " recipCount=" + Number(m.recipCount) + " fileCount=" + Number(m.fileCount));
    }
    LogArray<mailer::MapiTextRecipient>(
        "recipient", recipients, [](const mailer::MapiTextRecipient& r) {
            return "reserved=" + Number(r.reserved) + " recipClass=" + Number(r.recipClass) +
                   " name=" + Counted(r.name) + " address=" + Counted(r.address) +
                   " eidSize=" + Number(r.eidSize) + " entryId=" + Counted(r.entryId);
        });
    LogArray<mailer::MapiTextFile>("file", files, [](const mailer::MapiTextFile& f) {
        return "reserved=" + Number(f.reserved) + " flags=" + Number(f.flags) +
               " position=" + Number(f.position) + " pathName=" + Counted(f.pathName) +
               " fileName=" + Counted(f.fileName) + " fileType=" + Counted(f.fileType);
    });
    return result;
}

extern "C" ULONG WINAPI MAPILogoff(ULONG_PTR session, ULONG_PTR uiParam, ULONG flags,
                                   ULONG reserved) {
    Log("MAPILogoff session=" + Number(session) + " ui=" + Number(uiParam) +
        " flags=" + Number(flags) + " reserved=" + Number(reserved));
    return 0;
}

namespace {

// The system's MAPISendMail in either form: the call, the message, its recipients and files.
template <typename Char>
ULONG LogSendMail(const char* function, const wchar_t* resultKey, ULONG_PTR session,
                  ULONG_PTR uiParam, mailer::SystemMapiMessage<Char>* message, ULONG flags,
                  ULONG reserved) {
    const ULONG result = Result(resultKey);
    Log(std::string(function) + " session=" + Number(session) + " ui=" + Number(uiParam) +
        " flags=" + Number(flags) + " reserved=" + Number(reserved) + " result=" + Number(result));
    if (message == nullptr) {
        return result;
    }
    const mailer::SystemMapiMessage<Char>& m = *message;
    Log("message subject=" + Text(m.subject) + " noteText=" + Text(m.noteText) +
        " recipCount=" + Number(m.recipCount) + " fileCount=" + Number(m.fileCount));
    for (ULONG i = 0; m.recips != nullptr && i < m.recipCount; ++i) {
        Log("recip[" + Number(i) + "] class=" + Number(m.recips[i].recipClass) +
            " name=" + Text(m.recips[i].name) + " address=" + Text(m.recips[i].address));
    }
    for (ULONG i = 0; m.files != nullptr && i < m.fileCount; ++i) {
        Log("file[" + Number(i) + "] position=" + Number(m.files[i].position) +
            " pathName=" + Text(m.files[i].pathName) + " fileName=" + Text(m.files[i].fileName));
    }
    return result;
}

}  // namespace

#ifndef TS_SMAPI_ANSI_ONLY
extern "C" ULONG WINAPI MAPISendMailW(ULONG_PTR session, ULONG_PTR uiParam,
                                      mailer::SystemMapiMessage<wchar_t>* message, ULONG flags,
                                      ULONG reserved) {
    return LogSendMail("MAPISendMailW", L"MAPISendMailW", session, uiParam, message, flags,
                       reserved);
}
#endif

extern "C" ULONG WINAPI MAPISendMail(ULONG_PTR session, ULONG_PTR uiParam,
                                     mailer::SystemMapiMessage<char>* message, ULONG flags,
                                     ULONG reserved) {
    return LogSendMail("MAPISendMail", L"MAPISendMail", session, uiParam, message, flags, reserved);
}
