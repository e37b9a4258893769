// mailer.exe: sends the mail that the job file named on the command line describes.
#include <windows.h>

#include <exception>

#include "automation/dispatch.h"
#include "job/startup.h"
#include "mail_form.h"

namespace {

int Run(HINSTANCE instance, const wchar_t* commandLine) {
    try {
        // COM for the whole run, in the apartment the controls and the mail program expect.
        const automation::ComApartment com;
        mailer::MailForm form(instance);
        return mailer::RunMailJob(form, commandLine != nullptr ? commandLine : L"");
    } catch (const std::exception&) {
        // Out of memory on a huge job: the run fails without a word, like any other failure
        // after the checks.
        return -1;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    ::ExitProcess(static_cast<UINT>(Run(instance, commandLine)));
}
