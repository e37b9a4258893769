#pragma once
// One run of mailer.exe in a folder of its own: the job and body files, what lies beside the
// program (the stand-in smapi.dll, Explorer's recorder), the registered mail components, and
// everything the run left behind in their logs.
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "com_registration.h"
#include "message_box_driver.h"
#include "scratch_folder.h"

namespace testing_support {

inline constexpr DWORD kSent = 1;
inline constexpr DWORD kNotSent = 0xFFFFFFFF;

// The mail components that the test prefix offers, as the recording automation server
// plays them. Member lines can be changed per test ("MAPIMessages.Send" -> "fails ...").
enum class Component { MapiSession, MapiMessages, Outlook, Outlook10, Outlook12 };

class MailerFolder {
  public:
    MailerFolder();
    ~MailerFolder();

    const ScratchFolder& Folder() const { return folder_; }
    std::wstring Program() const { return folder_ / L"mailer.exe"; }

    // job.ini with the given lines; body.txt with the body. Returns job.ini's path.
    std::wstring WriteJob(const std::string& iniText);
    // A job to a@example.org with subject and body and these document keys.
    std::wstring WriteSimpleJob(const std::vector<std::string>& documents);

    // Registers a component. `changes` maps a member ("MAPIMessages.Send") or "create" to
    // the rest of its line: "fails wcode 32002 Text", "= none", "none", "fail 0x80040154".
    void Offer(Component component, const std::map<std::string, std::string>& changes = {});
    // The stand-in smapi.dll beside the program, answering these results.
    void PlaceLibrary(unsigned long logonResult = 0, unsigned long sendResult = 0);
    // The stand-in, in a folder of its own, as the registered default mail program's library
    // ("DLLPath"), answering MAPISendMailW and MAPISendMail with sendResult. Without this no
    // default mail program is registered while the folder exists.
    void RegisterDefaultProgram(unsigned long sendResult = 0);

    // Runs with the command line, answering the boxes (OK, or `answer`).
    AnsweredRun Run(const std::wstring& arguments, int answer = IDOK,
                    std::map<std::wstring, std::optional<std::wstring>> environment = {});

    std::vector<std::string> ComLog() const;
    std::vector<std::string> LibraryLog() const;
    // The command lines of the Windows folder's Explorer, then those of the explorer.exe beside
    // the program (which must never run), marked "beside the program: ".
    std::vector<std::string> ExplorerLog() const;
    std::vector<std::string> MailtoLog() const;
    // What the default mail program's library received.
    std::vector<std::string> DefaultProgramLog() const;

  private:
    ScratchFolder folder_;
    std::optional<std::wstring> previousMailtoCommand_;
    // The prefix's own default mail program (HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE), which
    // answers success at once: away while the folder exists.
    std::optional<std::wstring> previousDefaultProgram_[2];
    std::vector<std::unique_ptr<ComDoubleRegistration>> registrations_;
};

MessageBoxDriver& Driver();

}  // namespace testing_support
