#pragma once
// The ways of handing a mail to the machine's mail program. DeliverMail tries them in order;
// each way sends the mail, hands it to the next, or ends the chain unsent.
#include <string>

#include "job/mail_job.h"
#include "mail_form.h"

namespace mailer {

enum class WayOutcome { Sent, HandOver, GiveUp };

// True when the mail went out (or, with the last way, the user confirmed that it did).
bool DeliverMail(const MailForm& form, const MailJob& mail);

// 1: the Simple MAPI controls, driven by dispatch id.
WayOutcome SendMapiControlMail(const MailForm& form, const MailJob& mail);
// 2: the mail program's automation object, driven by member name.
WayOutcome SendOutlookMail(const MailForm& form, const MailJob& mail);
// 3: the Simple MAPI functions of "smapi.dll" beside the program.
WayOutcome SendSimpleMapiMail(const MailForm& form, const MailJob& mail);
// Then: the machine's default mail program through the system's Simple MAPI, which shows the
// prepared mail there; only when one is registered and the job allows it.
WayOutcome SendDefaultProgramMail(const MailForm& form, const MailJob& mail);
// 4: a "mailto:" link, instructions and a yes/no question: the user's answer, never HandOver.
WayOutcome SendStandardMail(const MailForm& form, const MailJob& mail);

// What every way does before a document that names a file: 200 ms for the mail program.
void PauseBeforeDocument(const std::wstring& document);

// Puts "smapi.dll" beside the program, copied from the library registered under "DLLPath"
// when missing; true when it is there afterwards.
bool ProvideLiveMailMapiLibrary(const MailForm& form);

// The path with "/" as "\" and doubled separators collapsed; a network path keeps its
// leading pair. Empty, after a box, when that fails.
std::wstring GetPath(const MailForm& form, const std::wstring& path);

}  // namespace mailer
