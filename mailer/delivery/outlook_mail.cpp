// The second way: the mail program's automation object, reached by ProgID and member names.
#include <windows.h>

#include "automation/dispatch.h"
#include "delivery/delivery_chain.h"

namespace mailer {
namespace {

using automation::Argument;
using automation::Dispatch;
using automation::Variant;

constexpr long kMailItem = 0;

// The application object. A later name is tried only when the one before gave no object
// without failing; a failure ends the search.
Dispatch Application() {
    for (const wchar_t* name :
         {L"Outlook.Application", L"Outlook.Application.10", L"Outlook.Application.12"}) {
        auto created = automation::CreateObject(name);
        if (!created.Ok()) {
            return {};
        }
        if (!created.Value().Empty()) {
            return std::move(created.Value());
        }
    }
    return {};
}

// Only references are released: the application is neither closed nor told to quit.
bool Send(const MailJob& mail) {
    const Dispatch application = Application();
    if (application.Empty()) {
        return false;
    }
    auto created = application.Call(L"CreateItem", {Argument{L"", Variant::I4(kMailItem)}});
    if (!created.Ok()) {
        return false;
    }
    auto item = automation::ObjectOf(created.Value());
    if (!item.Ok() || item.Value().Empty()) {
        return false;
    }
    const Dispatch& mailItem = item.Value();
    if (!mailItem.Put(L"To", Variant::String(mail.recipient)).Ok() ||
        !mailItem.Put(L"Subject", Variant::String(mail.subject)).Ok() ||
        !mailItem.Put(L"Body", Variant::String(mail.body)).Ok()) {
        return false;
    }
    for (const std::wstring& document : mail.documents) {
        PauseBeforeDocument(document);
        auto attachments = mailItem.ObjectProperty(L"Attachments");
        if (!attachments.Ok() ||
            !attachments.Value().Call(L"Add", {Argument{L"", Variant::String(document)}}).Ok()) {
            return false;
        }
    }
    return mailItem.Call(L"Send").Ok();
}

}  // namespace

WayOutcome SendOutlookMail(const MailForm&, const MailJob& mail) {
    return Send(mail) ? WayOutcome::Sent : WayOutcome::HandOver;
}

}  // namespace mailer
