#pragma once
// The records that BMAPISendMail takes: the Simple MAPI message, recipient and file with
// their texts as counted strings (BSTRs holding ANSI bytes), recipients and files as
// arrays of records. A text not set is a null string.
#include <windows.h>
#include <oaidl.h>

namespace mailer {

struct MapiTextMessage {
    ULONG reserved;
    BSTR subject;
    BSTR noteText;
    BSTR messageType;
    BSTR dateReceived;
    BSTR conversationId;
    ULONG flags;
    ULONG recipCount;
    ULONG fileCount;
};

struct MapiTextRecipient {
    ULONG reserved;
    ULONG recipClass;  // 1: MAPI_TO
    BSTR name;
    BSTR address;
    ULONG eidSize;
    BSTR entryId;
};

struct MapiTextFile {
    ULONG reserved;
    ULONG flags;
    ULONG position;
    BSTR pathName;
    BSTR fileName;
    BSTR fileType;
};

using MapiLogonFunction = ULONG(WINAPI*)(ULONG_PTR uiParam, LPSTR profile, LPSTR password,
                                         ULONG flags, ULONG reserved, ULONG_PTR* session);
using BMapiSendMailFunction = ULONG(WINAPI*)(ULONG_PTR session, ULONG_PTR uiParam,
                                             MapiTextMessage* message, SAFEARRAY** recipients,
                                             SAFEARRAY** files, ULONG flags, ULONG reserved);
using MapiLogoffFunction = ULONG(WINAPI*)(ULONG_PTR session, ULONG_PTR uiParam, ULONG flags,
                                          ULONG reserved);

}  // namespace mailer
