#pragma once
// The whole run: reads and checks the mail job, hands it to the delivery chain.
#include <string_view>

#include "mail_form.h"

namespace mailer {

// The process's exit code: 1 when the mail went out, -1 otherwise.
int RunMailJob(const MailForm& form, std::wstring_view commandLine);

}  // namespace mailer
