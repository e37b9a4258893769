#pragma once
// The records of the system's Simple MAPI (MAPI32.DLL) in their ANSI and wide forms, which
// differ only in the character type of their texts.
#include <windows.h>

namespace mailer {

template <typename Char>
struct SystemMapiFile {
    ULONG reserved;
    ULONG flags;
    ULONG position;  // 0xFFFFFFFF: the mail program places the attachment
    Char* pathName;
    Char* fileName;
    void* fileType;
};

template <typename Char>
struct SystemMapiRecipient {
    ULONG reserved;
    ULONG recipClass;  // 1: MAPI_TO
    Char* name;
    Char* address;
    ULONG entryIdSize;
    void* entryId;
};

template <typename Char>
struct SystemMapiMessage {
    ULONG reserved;
    Char* subject;
    Char* noteText;
    Char* messageType;
    Char* dateReceived;
    Char* conversationId;
    ULONG flags;
    SystemMapiRecipient<Char>* originator;
    ULONG recipCount;
    SystemMapiRecipient<Char>* recips;
    ULONG fileCount;
    SystemMapiFile<Char>* files;
};

// MAPISendMailW (Char wchar_t) and MAPISendMail (Char char).
template <typename Char>
using SystemMapiSendMail = ULONG(WINAPI*)(ULONG_PTR session, ULONG_PTR uiParam,
                                          SystemMapiMessage<Char>* message, ULONG flags,
                                          ULONG reserved);

}  // namespace mailer
