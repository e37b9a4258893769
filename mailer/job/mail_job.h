#pragma once
// One mail as the job file describes it, handed from the start-up to the delivery chain.
#include <string>
#include <vector>

namespace mailer {

struct MailJob {
    std::wstring recipient;  // one address, as written
    std::wstring subject;
    std::wstring body;  // may hold line breaks
    // In key order (Dokument1 first); empty entries for missing keys. Empty when the job
    // names no documents: the mail then goes out without attachments.
    std::vector<std::wstring> documents;
    // The default mail program may be asked through the system's Simple MAPI; only
    // "[Mail] Standardprogramm=0" turns that off, for callers that rely on the other ways.
    bool useDefaultProgram = true;
};

}  // namespace mailer
