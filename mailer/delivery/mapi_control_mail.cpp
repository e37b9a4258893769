// The first way: the Simple MAPI controls, a session control and a message control, driven
// through their dispatch interfaces by the dispatch ids of their type library.
#include <windows.h>

#include "automation/dispatch.h"
#include "delivery/delivery_chain.h"

namespace mailer {
namespace {

using automation::Argument;
using automation::Dispatch;
using automation::Variant;

// Session control.
constexpr DISPID kDownloadMail = 1;
constexpr DISPID kLogonUi = 2;
constexpr DISPID kNewSession = 3;
constexpr DISPID kSessionId = 5;
constexpr DISPID kSignOn = 8;
constexpr DISPID kSignOff = 9;
// Message control.
constexpr DISPID kAddressResolveUi = 5;
constexpr DISPID kAttachmentIndex = 7;
constexpr DISPID kAttachmentPathName = 9;
constexpr DISPID kAttachmentPosition = 10;
constexpr DISPID kAttachmentType = 11;
constexpr DISPID kMsgIndex = 19;
constexpr DISPID kMsgNoteText = 20;
constexpr DISPID kRecipAddress = 26;
constexpr DISPID kRecipDisplayName = 28;
constexpr DISPID kMessageSessionId = 31;
constexpr DISPID kMsgSubject = 32;
constexpr DISPID kCompose = 35;
constexpr DISPID kSend = 43;

constexpr short kDataAttachment = 1;

}  // namespace

WayOutcome SendMapiControlMail(const MailForm&, const MailJob& mail) {
    auto session = automation::CreateObject(L"MSMAPI.MAPISession");
    auto messages = automation::CreateObject(L"MSMAPI.MAPIMessages");
    if (!session.Ok() || session.Value().Empty() || !messages.Ok() || messages.Value().Empty()) {
        return WayOutcome::HandOver;
    }
    const Dispatch& mapiSession = session.Value();
    const Dispatch& mapiMessages = messages.Value();

    // Sign on without fetching mail, with a logon dialog where the mail program needs one.
    if (!mapiSession.PutId(kDownloadMail, Variant::Bool(false)).Ok() ||
        !mapiSession.PutId(kLogonUi, Variant::Bool(true)).Ok() ||
        !mapiSession.PutId(kNewSession, Variant::Bool(true)).Ok() ||
        !mapiSession.CallId(kSignOn).Ok()) {
        return WayOutcome::HandOver;
    }
    auto sessionId = mapiSession.GetId(kSessionId);
    long id = 0;
    if (!sessionId.Ok() || !sessionId.Value().ToLong(id)) {
        return WayOutcome::HandOver;
    }

    // Compose one message to one recipient.
    const bool composed =
        mapiMessages.PutId(kMessageSessionId, Variant::I4(id)).Ok() &&
        mapiMessages.CallId(kCompose).Ok() && mapiMessages.PutId(kMsgIndex, Variant::I4(-1)).Ok() &&
        mapiMessages.PutId(kRecipAddress, Variant::String(L"SMTP:" + mail.recipient)).Ok() &&
        mapiMessages.PutId(kRecipDisplayName, Variant::String(mail.recipient)).Ok() &&
        mapiMessages.PutId(kAddressResolveUi, Variant::Bool(false)).Ok() &&
        mapiMessages.PutId(kMsgSubject, Variant::String(mail.subject)).Ok() &&
        mapiMessages.PutId(kMsgNoteText, Variant::String(mail.body)).Ok();
    if (!composed) {
        return WayOutcome::HandOver;
    }
    for (size_t k = 0; k < mail.documents.size(); ++k) {
        const std::wstring& document = mail.documents[k];
        PauseBeforeDocument(document);
        const auto position = static_cast<long>(k);
        const bool attached =
            mapiMessages.PutId(kAttachmentPosition, Variant::I4(position)).Ok() &&
            mapiMessages.PutId(kAttachmentIndex, Variant::I4(position)).Ok() &&
            mapiMessages.PutId(kAttachmentPathName, Variant::String(document)).Ok() &&
            mapiMessages.PutId(kAttachmentType, Variant::I2(kDataAttachment)).Ok();
        if (!attached) {
            return WayOutcome::HandOver;
        }
    }

    // Without a dialog. A negative error number means the mail system itself failed: the
    // next ways would fail alike, so the chain ends. The session stays signed on.
    const auto sent = mapiMessages.CallId(kSend, {Argument{L"", Variant::Bool(false)}});
    if (!sent.Ok()) {
        return sent.Error().number < 0 ? WayOutcome::GiveUp : WayOutcome::HandOver;
    }
    // The mail is out: a failing sign-off must not send it a second time.
    mapiSession.CallId(kSignOff);
    return WayOutcome::Sent;
}

}  // namespace mailer
