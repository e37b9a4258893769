// Until their automation and library calls are in, the first three ways hand straight on.
#include "delivery/delivery_chain.h"

namespace mailer {

bool SendMapiControlMail(const MailForm& form, const MailJob& mail) {
    return SendOutlookMail(form, mail);
}

bool SendOutlookMail(const MailForm& form, const MailJob& mail) {
    return SendSimpleMapiMail(form, mail);
}

bool SendSimpleMapiMail(const MailForm& form, const MailJob& mail) {
    return SendStandardMail(form, mail);
}

}  // namespace mailer
