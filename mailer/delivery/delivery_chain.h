#pragma once
// The ways of handing a mail to the machine's mail program, tried in this order. Each
// answers true when the mail went out (or the user confirmed it) and otherwise hands the
// same mail to the next; the first one's answer is the chain's.
#include <string>

#include "job/mail_job.h"
#include "mail_form.h"

namespace mailer {

// 1: the Simple MAPI controls, driven by dispatch id.
bool SendMapiControlMail(const MailForm& form, const MailJob& mail);
// 2: the mail program's automation object, driven by member name.
bool SendOutlookMail(const MailForm& form, const MailJob& mail);
// 3: the Simple MAPI functions of "smapi.dll" beside the program.
bool SendSimpleMapiMail(const MailForm& form, const MailJob& mail);
// 4: a "mailto:" link, instructions and a yes/no question: the user's answer.
bool SendStandardMail(const MailForm& form, const MailJob& mail);

// Puts "smapi.dll" beside the program, copied from the library registered under "DLLPath"
// when missing; true when it is there afterwards.
bool ProvideLiveMailMapiLibrary(const MailForm& form);

// The path with "/" as "\" and doubled separators collapsed; a network path keeps its
// leading pair. Empty, after a box, when that fails.
std::wstring GetPath(const MailForm& form, const std::wstring& path);

}  // namespace mailer
