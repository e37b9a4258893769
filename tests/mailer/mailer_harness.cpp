#include "mailer_harness.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

#include "run_process.h"
#include "test_text.h"

namespace testing_support {
namespace {

constexpr wchar_t kMailtoCommandKey[] = L"mailto\\shell\\open\\command";
constexpr wchar_t kMailClientsKey[] = L"Software\\Clients\\Mail";
constexpr wchar_t kTestClient[] = L"Tessaly Testpost";
const HKEY kClientRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

struct ComponentPlay {
    const wchar_t* classId;
    const wchar_t* progId;
    std::vector<std::string> lines;  // "Object.Member ..." after the create line
};

// Dispatch ids as in the controls' type library; names as the mail program's object model.
const std::map<Component, ComponentPlay>& Plays() {
    static const std::map<Component, ComponentPlay> plays = {
        {Component::MapiSession,
         {L"{6C1D0E51-3A7B-4F0E-9C11-5A0D7E3B2A01}",
          L"MSMAPI.MAPISession",
          {"create MAPISession", "MAPISession.DownloadMail id 1", "MAPISession.LogonUI id 2",
           "MAPISession.NewSession id 3", "MAPISession.SessionID id 5 = i4 77",
           "MAPISession.SignOn id 8", "MAPISession.SignOff id 9"}}},
        {Component::MapiMessages,
         {L"{6C1D0E51-3A7B-4F0E-9C11-5A0D7E3B2A02}",
          L"MSMAPI.MAPIMessages",
          {"create MAPIMessages", "MAPIMessages.AddressResolveUI id 5",
           "MAPIMessages.AttachmentIndex id 7", "MAPIMessages.AttachmentPathName id 9",
           "MAPIMessages.AttachmentPosition id 10", "MAPIMessages.AttachmentType id 11",
           "MAPIMessages.MsgIndex id 19", "MAPIMessages.MsgNoteText id 20",
           "MAPIMessages.RecipAddress id 26", "MAPIMessages.RecipDisplayName id 28",
           "MAPIMessages.SessionID id 31", "MAPIMessages.MsgSubject id 32",
           "MAPIMessages.Compose id 35", "MAPIMessages.Send id 43"}}},
        {Component::Outlook,
         {L"{6C1D0E51-3A7B-4F0E-9C11-5A0D7E3B2A03}",
          L"Outlook.Application",
          {"create Application", "Application.CreateItem = object MailItem", "MailItem.To",
           "MailItem.Subject", "MailItem.Body", "MailItem.Attachments = object Attachments",
           "Attachments.Add = object Attachment", "MailItem.Send"}}},
        {Component::Outlook10,
         {L"{6C1D0E51-3A7B-4F0E-9C11-5A0D7E3B2A04}", L"Outlook.Application.10", {}}},
        {Component::Outlook12,
         {L"{6C1D0E51-3A7B-4F0E-9C11-5A0D7E3B2A05}", L"Outlook.Application.12", {}}},
    };
    return plays;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) {
        out += static_cast<char>(c);
    }
    return out;
}

// "create", "Object.Member" or "Object.Member id N": what a change keeps of a line.
std::string Head(const std::string& line) {
    std::istringstream in(line);
    std::string name, word, number;
    in >> name;
    if (name != "create" && in >> word && word == "id" && in >> number) {
        return name + " id " + number;
    }
    return name;
}

std::optional<std::wstring> ReadDefaultValue(HKEY root, const wchar_t* key) {
    wchar_t value[2048] = {};
    DWORD size = sizeof value;
    if (::RegGetValueW(root, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

void WriteDefaultValue(HKEY root, const wchar_t* key, const std::optional<std::wstring>& value) {
    if (!value) {
        ::RegDeleteKeyValueW(root, key, nullptr);
        return;
    }
    ::RegSetKeyValueW(root, key, nullptr, REG_SZ, value->c_str(),
                      static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
}

void CopyBeside(const std::wstring& name, const std::wstring& target) {
    const std::wstring source = ThisProgramFolder() + L"\\" + name;
    ASSERT_TRUE(::CopyFileW(source.c_str(), target.c_str(), FALSE)) << Narrow(name);
}

std::wstring WindowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length < MAX_PATH ? length : 0);
}

// The prefix's Explorer, which the recorder replaces while a MailerFolder exists.
std::wstring WindowsExplorer(const wchar_t* suffix = L"") {
    return WindowsFolder() + L"\\explorer" + suffix;
}

}  // namespace

MessageBoxDriver& Driver() {
    static MessageBoxDriver driver;
    return driver;
}

MailerFolder::MailerFolder() {
    CopyBeside(L"mailer.exe", Program());
    // The Windows folder's Explorer records; one beside the program, which is also the current
    // folder of the run, must never be the one that runs.
    const std::wstring saved = WindowsExplorer(L".ts-saved");
    if (::GetFileAttributesW(saved.c_str()) == INVALID_FILE_ATTRIBUTES) {
        EXPECT_TRUE(::CopyFileW(WindowsExplorer(L".exe").c_str(), saved.c_str(), TRUE));
    }
    ::DeleteFileW(WindowsExplorer(L".log").c_str());
    CopyBeside(L"command_recorder.exe", WindowsExplorer(L".exe"));
    CopyBeside(L"command_recorder.exe", folder_ / L"explorer.exe");
    CopyBeside(L"command_recorder.exe", folder_ / L"mailto_handler.exe");
    previousMailtoCommand_ = ReadDefaultValue(HKEY_CLASSES_ROOT, kMailtoCommandKey);
    WriteDefaultValue(HKEY_CLASSES_ROOT, kMailtoCommandKey,
                      L"\"" + (folder_ / L"mailto_handler.exe") + L"\" %1");
    for (size_t i = 0; i < std::size(kClientRoots); ++i) {
        previousDefaultProgram_[i] = ReadDefaultValue(kClientRoots[i], kMailClientsKey);
        WriteDefaultValue(kClientRoots[i], kMailClientsKey, std::nullopt);
    }
}

MailerFolder::~MailerFolder() {
    for (size_t i = 0; i < std::size(kClientRoots); ++i) {
        WriteDefaultValue(kClientRoots[i], kMailClientsKey, previousDefaultProgram_[i]);
    }
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE,
                     (std::wstring(kMailClientsKey) + L"\\" + kTestClient).c_str());
    WriteDefaultValue(HKEY_CLASSES_ROOT, kMailtoCommandKey, previousMailtoCommand_);
    ::CopyFileW(WindowsExplorer(L".ts-saved").c_str(), WindowsExplorer(L".exe").c_str(), FALSE);
    ::DeleteFileW(WindowsExplorer(L".log").c_str());
}

std::wstring MailerFolder::WriteJob(const std::string& iniText) {
    folder_.Write(L"job.ini", iniText);
    return folder_ / L"job.ini";
}

std::wstring MailerFolder::WriteSimpleJob(const std::vector<std::string>& documents) {
    folder_.Write(L"body.txt", "Guten Tag,\r\nanbei die Unterlagen.");
    std::string text =
        "[Empfaenger]\r\nEmpfaenger1=a@example.org\r\n[Mail]\r\nBetreff=Unterlagen\r\n"
        "Text=" +
        Narrow(folder_ / L"body.txt") +
        "\r\n[Dokumente]\r\nAnzahlDokumente=" + std::to_string(documents.size()) + "\r\n";
    for (size_t i = 0; i < documents.size(); ++i) {
        text += "Dokument" + std::to_string(i + 1) + "=" + documents[i] + "\r\n";
    }
    return WriteJob(text);
}

void MailerFolder::Offer(Component component, const std::map<std::string, std::string>& changes) {
    const ComponentPlay& play = Plays().at(component);
    const std::string name = Narrow(play.progId);
    std::vector<std::string> lines = play.lines;
    if (lines.empty()) {  // the later names of the mail program play the same object
        lines = Plays().at(Component::Outlook).lines;
    }
    for (const auto& [member, change] : changes) {
        for (auto& line : lines) {
            if (line.substr(0, line.find(' ')) == member) {
                line = Head(line) + " " + change;
            }
        }
    }
    std::string config = "log " + Narrow(folder_ / L"com.log") + "\r\n";
    for (const auto& line : lines) {
        config += line + "\r\n";
    }
    const std::wstring configName = std::wstring(play.progId) + L".txt";
    folder_.Write(configName, config);
    registrations_.push_back(std::make_unique<ComDoubleRegistration>(
        play.classId, std::vector<std::wstring>{play.progId}, folder_ / configName));
}

void MailerFolder::PlaceLibrary(unsigned long logonResult, unsigned long sendResult) {
    CopyBeside(L"smapi.dll", folder_ / L"smapi.dll");
    folder_.Write(L"smapi_results.ini", "[Results]\r\nMAPILogon=" + std::to_string(logonResult) +
                                            "\r\nBMAPISendMail=" + std::to_string(sendResult) +
                                            "\r\n");
}

void MailerFolder::RegisterDefaultProgram(unsigned long sendResult) {
    const std::string result = std::to_string(sendResult);
    folder_.Write(L"provider\\smapi_results.ini",
                  "[Results]\r\nMAPISendMailW=" + result + "\r\nMAPISendMail=" + result + "\r\n");
    const std::wstring library = folder_ / L"provider\\smapi.dll";
    CopyBeside(L"smapi.dll", library);
    const std::wstring client = std::wstring(kMailClientsKey) + L"\\" + kTestClient;
    WriteDefaultValue(HKEY_LOCAL_MACHINE, kMailClientsKey, kTestClient);
    ASSERT_EQ(
        ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, client.c_str(), L"DLLPath", REG_SZ, library.c_str(),
                          static_cast<DWORD>((library.size() + 1) * sizeof(wchar_t))),
        ERROR_SUCCESS);
}

AnsweredRun MailerFolder::Run(const std::wstring& arguments, int answer,
                              std::map<std::wstring, std::optional<std::wstring>> environment) {
    ProcessRequest request;
    request.program = Program();
    request.arguments = arguments;
    request.currentDirectory = folder_.Path();
    request.environment = std::move(environment);
    request.timeout = std::chrono::seconds(120);
    EXPECT_TRUE(Driver().Watching());
    return RunAnsweringBoxes(Driver(), request, [answer](const MessageBoxInfo&) { return answer; });
}

std::vector<std::string> MailerFolder::ComLog() const {
    return Lines(folder_.Read(L"com.log"));
}

std::vector<std::string> MailerFolder::LibraryLog() const {
    return Lines(folder_.Read(L"smapi_calls.log"));
}

std::vector<std::string> MailerFolder::ExplorerLog() const {
    std::vector<std::string> lines = Lines(ReadFileBytes(WindowsExplorer(L".log")));
    for (const std::string& line : Lines(folder_.Read(L"explorer.log"))) {
        lines.push_back("beside the program: " + line);
    }
    return lines;
}

std::vector<std::string> MailerFolder::DefaultProgramLog() const {
    return Lines(folder_.Read(L"provider\\smapi_calls.log"));
}

std::vector<std::string> MailerFolder::MailtoLog() const {
    return Lines(folder_.Read(L"mailto_handler.log"));
}

}  // namespace testing_support
