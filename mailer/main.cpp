// mailer.exe: sends the mail that the job file named on the command line describes.
#include <windows.h>
#include <objbase.h>

#include <exception>

#include "job/startup.h"
#include "mail_form.h"

namespace {

// COM for the whole run, in the apartment the controls and the mail program expect.
class ComApartment {
  public:
    ComApartment() : ok_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComApartment() {
        if (ok_) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool ok_;
};

int Run(HINSTANCE instance, const wchar_t* commandLine) {
    try {
        ComApartment com;
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
