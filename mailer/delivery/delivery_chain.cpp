#include "delivery/delivery_chain.h"

#include <windows.h>

namespace mailer {

bool DeliverMail(const MailForm& form, const MailJob& mail) {
    for (const auto way : {SendMapiControlMail, SendOutlookMail, SendSimpleMapiMail,
                           SendDefaultProgramMail, SendStandardMail}) {
        switch (way(form, mail)) {
            case WayOutcome::Sent:
                return true;
            case WayOutcome::GiveUp:
                return false;
            case WayOutcome::HandOver:
                break;
        }
    }
    return false;
}

void PauseBeforeDocument(const std::wstring& document) {
    if (!document.empty()) {
        ::Sleep(200);
    }
}

}  // namespace mailer
