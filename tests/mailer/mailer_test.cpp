#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "mailer_harness.h"
#include "support/text_conversion.h"
#include "support/unique_handle.h"
#include "test_text.h"

namespace testing_support {
namespace {

using Lines = std::vector<std::string>;

constexpr UINT kNoIcon = 0;
constexpr wchar_t kLiveMailKey[] = L"SOFTWARE\\Clients\\Mail\\Windows Live Mail";

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) {
        out += static_cast<char>(c);
    }
    return out;
}

std::wstring Upper(std::wstring text) {
    ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool Has(const Lines& lines, const std::string& line) {
    return std::ranges::find(lines, line) != lines.end();
}

size_t CountStarting(const Lines& lines, const std::string& start) {
    return static_cast<size_t>(std::ranges::count_if(
        lines, [&start](const std::string& line) { return line.starts_with(start); }));
}

std::string Job(const std::string& recipient, const std::string& bodyPath,
                const std::string& documents) {
    return "[Empfaenger]\r\nEmpfaenger1=" + recipient +
           "\r\n[Mail]\r\nBetreff=Betreff\r\nText=" + bodyPath + "\r\n[Dokumente]\r\n" + documents;
}

void ExpectOneBox(const AnsweredRun& run, const std::wstring& text, const std::wstring& title,
                  UINT icon, const std::vector<int>& buttons) {
    ASSERT_EQ(run.boxes.size(), 1u);
    const MessageBoxInfo& box = run.boxes.front();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, title);
    EXPECT_EQ(box.icon, std::optional<UINT>(icon));
    std::vector<int> ids;
    for (const auto& button : box.buttons) {
        ids.push_back(button.id);
    }
    std::ranges::sort(ids);
    EXPECT_EQ(ids, buttons);
}

// What the mail chain leaves when the first way sends two documents.
const Lines kMapiControlsWithTwoDocuments = {
    "create MAPISession",
    "create MAPIMessages",
    "MAPISession.DownloadMail put bool:false",
    "MAPISession.LogonUI put bool:true",
    "MAPISession.NewSession put bool:true",
    "MAPISession.SignOn call",
    "MAPISession.SessionID get",
    "MAPIMessages.SessionID put i4:77",
    "MAPIMessages.Compose call",
    "MAPIMessages.MsgIndex put i4:-1",
    "MAPIMessages.RecipAddress put bstr:SMTP:a@example.org",
    "MAPIMessages.RecipDisplayName put bstr:a@example.org",
    "MAPIMessages.AddressResolveUI put bool:false",
    "MAPIMessages.MsgSubject put bstr:Unterlagen",
    "MAPIMessages.MsgNoteText put bstr:Guten Tag,",
    "anbei die Unterlagen.",
    "MAPIMessages.AttachmentPosition put i4:0",
    "MAPIMessages.AttachmentIndex put i4:0",
    "MAPIMessages.AttachmentPathName put bstr:C:\\Docs\\a.pdf",
    "MAPIMessages.AttachmentType put i2:1",
    "MAPIMessages.AttachmentPosition put i4:1",
    "MAPIMessages.AttachmentIndex put i4:1",
    "MAPIMessages.AttachmentPathName put bstr:C:\\Docs\\b.pdf",
    "MAPIMessages.AttachmentType put i2:1",
    "MAPIMessages.Send call bool:false",
    "MAPISession.SignOff call",
    "MAPIMessages released",
    "MAPISession released",
};

// The second way with two documents, after the object was created.
const Lines kOutlookWithTwoDocuments = {
    "Application.CreateItem call i4:0",
    "MailItem.To put bstr:a@example.org",
    "MailItem.Subject put bstr:Unterlagen",
    "MailItem.Body put bstr:Guten Tag,",
    "anbei die Unterlagen.",
    "MailItem.Attachments get",
    "Attachments.Add call bstr:C:\\Docs\\a.pdf",
    "Attachment released",
    "Attachments released",
    "MailItem.Attachments get",
    "Attachments.Add call bstr:C:\\Docs\\b.pdf",
    "Attachment released",
    "Attachments released",
    "MailItem.Send call",
    "MailItem released",
    "Application released",
};

// The size of a recipient or file record of the library's interface: four longs and two
// pointers, padded in 64-bit.
const std::string kRecordSize = sizeof(void*) == 8 ? " size=40" : " size=24";

// The records of the third way with the two documents of WriteSimpleJob.
const Lines kLibraryWithTwoDocuments = {
    "MAPILogon ui=0 profile=\"\" password=\"\" flags=2 reserved=0 result=0",
    "BMAPISendMail session=4711 ui=0 flags=0 reserved=0 result=0",
    "message reserved=0 subject=10:\"Unterlagen\" noteText=33:\"Guten Tag,%0D%0Aanbei die "
    "Unterlagen.\" messageType=null dateReceived=null conversationId=null flags=0 recipCount=1 "
    "fileCount=2",
    "recipient count=2" + kRecordSize,
    "recipient[0] reserved=0 recipClass=1 name=13:\"a@example.org\" address=null eidSize=0 "
    "entryId=null",
    "recipient[1] reserved=0 recipClass=0 name=null address=null eidSize=0 entryId=null",
    "file count=2" + kRecordSize,
    "file[0] reserved=0 flags=0 position=0 pathName=13:\"C:\\Docs\\a.pdf\" fileName=5:\"a.pdf\" "
    "fileType=0:\"\"",
    "file[1] reserved=0 flags=0 position=0 pathName=13:\"C:\\Docs\\b.pdf\" fileName=5:\"b.pdf\" "
    "fileType=0:\"\"",
    "MAPILogoff session=4711 ui=0 flags=0 reserved=0",
};

const std::vector<std::string> kTwoDocuments = {"C:\\Docs\\a.pdf", "C:\\Docs\\b.pdf"};

// "{dir}" as the test folder, "{DIR}" the same upper-cased.
template <typename Text>
Text Fill(Text text, const MailerFolder& folder) {
    const std::wstring dir = folder.Folder().Path();
    const std::wstring upper = Upper(dir);
    for (const auto& [mark, value] : {std::pair{"{dir}", dir}, std::pair{"{DIR}", upper}}) {
        const Text markText(mark, mark + 5);
        const Text valueText(value.begin(), value.end());
        for (size_t at = text.find(markText); at != Text::npos; at = text.find(markText, at)) {
            text.replace(at, markText.size(), valueText);
            at += valueText.size();
        }
    }
    return text;
}

// Every message of the checks, with its exact text, title, icon and the full exit code.
TEST(MailerChecks, EachFailedCheckShowsItsBoxAndEndsWithMinusOne) {
    constexpr UINT kWarning = MB_ICONEXCLAMATION;
    const std::string body = "Text={dir}\\body.txt\r\n";
    const struct {
        const char* name;
        std::string job;  // empty: no job file
        std::wstring arguments;
        std::wstring text;
        const wchar_t* title;
        UINT icon;
    } cases[] = {
        {"empty command line", "", L"", L"Datei nicht gefunden ", L"mailer", kNoIcon},
        {"missing job file", "", L" \"{dir}\\none.ini\" ", L"Datei nicht gefunden {DIR}\\NONE.INI",
         L"mailer", kNoIcon},
        {"no recipient", "[Mail]\r\nBetreff=x\r\n", L"{dir}\\job.ini",
         L"Die Emailadresse  fehlt oder ist nicht korrekt!", L"Hinweis", kWarning},
        {"recipient without @", "[Empfaenger]\r\nEmpfaenger1=anna.example.org\r\n",
         L"{dir}\\job.ini", L"Die Emailadresse anna.example.org fehlt oder ist nicht korrekt!",
         L"Hinweis", kWarning},
        {"binary job file", std::string("\0\x01\xFF[\xFE]\r\n=\x80\0", 12) + std::string(999, 7),
         L"{dir}\\job.ini", L"Die Emailadresse  fehlt oder ist nicht korrekt!", L"Hinweis",
         kWarning},
        {"missing body file", "[Empfaenger]\r\nEmpfaenger1=@\r\n[Mail]\r\nText={dir}\\none.txt",
         L"{dir}\\job.ini", L"Datei nicht gefunden {dir}\\none.txt", L"Hinweis", kWarning},
        {"no body file named", "[Empfaenger]\r\nEmpfaenger1=@\r\n", L"{dir}\\job.ini",
         L"Datei nicht gefunden ", L"Hinweis", kWarning},
        {"count not numeric",
         "[Empfaenger]\r\nEmpfaenger1=a@b\r\n[Mail]\r\n" + body +
             "[Dokumente]\r\nAnzahlDokumente=drei\r\n",
         L"{dir}\\job.ini", L"Falsche Parameter (AnzahlDokumente)drei", L"Hinweis", kWarning},
        {"count missing", "[Empfaenger]\r\nEmpfaenger1=a@b\r\n[Mail]\r\n" + body, L"{dir}\\job.ini",
         L"Falsche Parameter (AnzahlDokumente)", L"Hinweis", kWarning},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MailerFolder folder;
        folder.Offer(Component::MapiSession);
        folder.Offer(Component::MapiMessages);
        folder.Folder().Write(L"body.txt", "x");
        if (!c.job.empty()) {
            folder.WriteJob(Fill(c.job, folder));
        }
        const AnsweredRun run = folder.Run(Fill(c.arguments, folder));
        EXPECT_EQ(run.result.exitCode, kNotSent);
        ExpectOneBox(run, Fill(c.text, folder), c.title, c.icon, {IDOK});
        EXPECT_TRUE(folder.ComLog().empty());
        EXPECT_TRUE(folder.MailtoLog().empty());
    }
}

// Failures after the checks end the run without a word and without a mail.
TEST(MailerChecks, SilentFailures) {
    MailerFolder folder;
    folder.Offer(Component::MapiSession);
    folder.Offer(Component::MapiMessages);
    folder.Folder().Write(L"body.txt", "x");
    const std::string body = Narrow(folder.Folder() / L"body.txt");

    for (const char* count : {"40000", "-32769", "1e6"}) {
        const std::wstring job =
            folder.WriteJob(Job("a@b", body, std::string("AnzahlDokumente=") + count + "\r\n"));
        const AnsweredRun run = folder.Run(job);
        EXPECT_EQ(run.result.exitCode, kNotSent) << count;
        EXPECT_TRUE(run.boxes.empty()) << count;
    }

    // The body file held by another program that shares nothing.
    const std::wstring job = folder.WriteJob(Job("a@b", body, "AnzahlDokumente=0\r\n"));
    const std::wstring bodyPath = folder.Folder() / L"body.txt";
    {
        const support::UniqueHandle holder(support::ValidOrNull(
            ::CreateFileW(bodyPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
        ASSERT_TRUE(holder);
        const AnsweredRun run = folder.Run(job);
        EXPECT_EQ(run.result.exitCode, kNotSent);
        EXPECT_TRUE(run.boxes.empty());
    }
    EXPECT_TRUE(folder.ComLog().empty());
}

// The job file that the docs show, saved in ANSI as they ask, with its files in place.
TEST(MailerJobFile, TheExampleOfTheDocsIsSent) {
    const std::string page = ReadFileBytes(WinePath(TS_DOCS_DIR "/mailer.md"));
    const size_t start = page.find("```ini\n");
    ASSERT_NE(start, std::string::npos);
    const size_t end = page.find("```", start + 7);
    std::istringstream example(page.substr(start + 7, end - start - 7));
    std::string job;
    for (std::string line; std::getline(example, line);) {
        job += support::WideToSystemAnsi(support::Utf8ToWide(line)) + "\r\n";
    }
    const std::filesystem::path jobs = L"C:\\Jobs";
    std::filesystem::create_directories(jobs);
    for (const wchar_t* file :
         {L"mail-text.txt", L"Angebot 2026-114.pdf", L"Allgemeine Gesch\u00e4ftsbedingungen.pdf"}) {
        std::ofstream(jobs / file) << "x";
    }
    MailerFolder folder;
    folder.PlaceLibrary();
    EXPECT_EQ(folder.Run(folder.WriteJob(job)).result.exitCode, kSent);
    const Lines log = folder.LibraryLog();
    ASSERT_GT(log.size(), 2u);
    EXPECT_TRUE(Contains(log[2], "subject=27:\"Ihre Unterlagen vom 3. M\xE4rz\"")) << log[2];
    EXPECT_TRUE(Has(log, "file count=2" + kRecordSize));
    std::filesystem::remove_all(jobs);
}

TEST(MailerJobPath, QuotedBlankedDoubledAndNetworkPathsAreFound) {
    MailerFolder folder;
    folder.PlaceLibrary();
    const std::wstring job = folder.WriteSimpleJob({});
    std::wstring doubled;
    for (const wchar_t c : job) {
        doubled += c == L'\\' ? std::wstring(L"\\\\") : std::wstring(1, c);
    }
    for (const std::wstring& arguments : {L"  \"" + job + L"\"  ", doubled}) {
        const AnsweredRun run = folder.Run(arguments);
        EXPECT_EQ(run.result.exitCode, kSent) << Narrow(arguments);
        EXPECT_TRUE(run.boxes.empty());
    }
    EXPECT_EQ(CountStarting(folder.LibraryLog(), "BMAPISendMail"), 2u);

    // A job on a network share stays reachable.
    const UncShare share;
    ASSERT_FALSE(share.Path().empty());
    const std::wstring shared = share.Path() + L"\\job.ini";
    ASSERT_TRUE(::CopyFileW(job.c_str(), shared.c_str(), FALSE));
    const AnsweredRun run = folder.Run(L"\"" + shared + L"\"");
    EXPECT_EQ(run.result.exitCode, kSent);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(CountStarting(folder.LibraryLog(), "BMAPISendMail"), 3u);
}

TEST(MailerMapiControls, SendsTwoDocumentsByDispatchIdAndNothingElseRuns) {
    MailerFolder folder;
    folder.Offer(Component::MapiSession);
    folder.Offer(Component::MapiMessages);
    folder.Offer(Component::Outlook);
    folder.PlaceLibrary();
    const AnsweredRun run = folder.Run(folder.WriteSimpleJob(kTwoDocuments));
    EXPECT_EQ(run.result.exitCode, kSent);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(folder.ComLog(), kMapiControlsWithTwoDocuments);
    EXPECT_TRUE(folder.LibraryLog().empty());
    EXPECT_TRUE(folder.MailtoLog().empty());
}

// Which failure of the first way hands the mail on, and which ends the run.
TEST(MailerMapiControls, HandOverRules) {
    enum Outcome { kHandsOver, kEndsChain, kSentOnce };
    const struct {
        const char* member;
        const char* failure;
        Outcome outcome;
    } cases[] = {
        {"create", "fail 0x80040154", kHandsOver},
        {"create", "none", kHandsOver},
        // The controls raise their errors 32001-32053 as 0x800A7D01...: numbers >= 0.
        {"MAPISession.SignOn", "fails scode 0x800A7D03 Anmeldung abgebrochen", kHandsOver},
        {"MAPIMessages.AttachmentPathName", "fails scode 0x800A7D0B Anlage fehlt", kHandsOver},
        {"MAPIMessages.Send", "fails scode 0x800A7D02 Allgemeiner Fehler", kHandsOver},
        {"MAPIMessages.Send", "fails hresult 0x800A7D02", kHandsOver},
        {"MAPIMessages.Send", "fails wcode 32002 Allgemeiner Fehler", kHandsOver},
        {"MAPIMessages.Send", "fails scode 0x80004005 Fehler", kEndsChain},
        // Once the mail is out, a failing sign-off must not send it again.
        {"MAPISession.SignOff", "fails scode 0x800A7D32 Abmeldung", kSentOnce},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.member) + " " + c.failure);
        MailerFolder folder;
        folder.Offer(Component::MapiSession, {{c.member, c.failure}});
        folder.Offer(Component::MapiMessages, {{c.member, c.failure}});
        folder.Offer(Component::Outlook);
        const AnsweredRun run = folder.Run(folder.WriteSimpleJob(kTwoDocuments));
        EXPECT_TRUE(run.boxes.empty());
        const Lines log = folder.ComLog();
        // The session is not signed off when the way fails.
        EXPECT_EQ(Has(log, "MAPISession.SignOff call"), c.outcome == kSentOnce);
        EXPECT_EQ(run.result.exitCode, c.outcome == kEndsChain ? kNotSent : kSent);
        EXPECT_EQ(Has(log, "create Application"), c.outcome == kHandsOver);
        EXPECT_EQ(Has(log, "MailItem.Send call"), c.outcome == kHandsOver);
        EXPECT_TRUE(folder.MailtoLog().empty());
    }
}

TEST(MailerOutlook, SendsByMemberNameAndOnlyReleasesTheApplication) {
    MailerFolder folder;
    folder.Offer(Component::Outlook);
    const AnsweredRun run = folder.Run(folder.WriteSimpleJob(kTwoDocuments));
    EXPECT_EQ(run.result.exitCode, kSent);
    Lines expected = {"create Application"};
    expected.insert(expected.end(), kOutlookWithTwoDocuments.begin(),
                    kOutlookWithTwoDocuments.end());
    EXPECT_EQ(folder.ComLog(), expected);
}

// A later name only after an empty answer; a failed creation goes to the library at once.
TEST(MailerOutlook, FallbackNames) {
    const struct {
        const char* first;
        const char* tenth;
        Lines creations;
        bool byOutlook;
    } cases[] = {
        {"fail 0x80040154", "Application", {"create failed"}, false},
        {"none", "none", {"create none", "create none", "create Application"}, true},
        {"none", "Application", {"create none", "create Application"}, true},
        {"none", "fail 0x80080005", {"create none", "create failed"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " / " + c.tenth);
        MailerFolder folder;
        folder.Offer(Component::Outlook, {{"create", c.first}});
        folder.Offer(Component::Outlook10, {{"create", c.tenth}});
        folder.Offer(Component::Outlook12);
        folder.PlaceLibrary();
        const AnsweredRun run = folder.Run(folder.WriteSimpleJob(kTwoDocuments));
        EXPECT_EQ(run.result.exitCode, kSent);
        Lines creations;
        for (const auto& line : folder.ComLog()) {
            if (line.starts_with("create")) {
                creations.push_back(line);
            }
        }
        EXPECT_EQ(creations, c.creations);
        EXPECT_EQ(Has(folder.ComLog(), "MailItem.Send call"), c.byOutlook);
        EXPECT_EQ(Has(folder.LibraryLog(), kLibraryWithTwoDocuments[1]), !c.byOutlook);
    }
}

TEST(MailerOutlook, AFailedCallHandsOverWithoutClosingTheApplication) {
    for (const char* member :
         {"Application.CreateItem", "MailItem.Body", "Attachments.Add", "MailItem.Send"}) {
        SCOPED_TRACE(member);
        MailerFolder folder;
        folder.Offer(Component::Outlook, {{member, "fails scode 0x80004005 Fehler"}});
        folder.PlaceLibrary();
        const AnsweredRun run = folder.Run(folder.WriteSimpleJob(kTwoDocuments));
        EXPECT_EQ(run.result.exitCode, kSent);
        const Lines log = folder.ComLog();
        EXPECT_TRUE(Has(log, "Application released"));
        EXPECT_EQ(CountStarting(log, "Application.Quit"), 0u);
        EXPECT_EQ(folder.LibraryLog(), kLibraryWithTwoDocuments);
    }
}

// The library's records hold counted ANSI strings; FileName is the path's last part.
TEST(MailerSimpleMapi, TextsAreCountedAnsiStrings) {
    MailerFolder folder;
    folder.PlaceLibrary();
    folder.Folder().Write(L"body.txt",
                          "  Gr\xFC\xDF"
                          "e  ");
    const std::wstring job =
        folder.WriteJob(Job("j\xF6rg@example.org", Narrow(folder.Folder() / L"body.txt"),
                            "AnzahlDokumente=1\r\nDokument1=C:/Docs/\xC4nderung.pdf\r\n"));
    EXPECT_EQ(folder.Run(job).result.exitCode, kSent);
    const Lines log = folder.LibraryLog();
    ASSERT_EQ(log.size(), 9u);
    EXPECT_TRUE(
        log[2].starts_with("message reserved=0 subject=7:\"Betreff\" noteText=5:\"Gr\xFC\xDF"
                           "e\""))
        << log[2];
    EXPECT_TRUE(Contains(log[4], "name=16:\"j\xF6rg@example.org\"")) << log[4];
    EXPECT_TRUE(
        Contains(log[7], "pathName=20:\"C:/Docs/\xC4nderung.pdf\" fileName=12:\"\xC4nderung.pdf\""))
        << log[7];
}

// The body file as callers write it: ANSI, UTF-8 or UTF-16 with a byte-order mark, or still
// held open for writing. The same text reaches every way.
TEST(MailerBody, EncodingsAndAFileStillOpenReachEveryWay) {
    const std::string ansi =
        "Gr\xFC\xDF"
        "e \x80";
    const std::string utf8 =
        "Gr\xC3\xBC\xC3\x9F"
        "e \xE2\x82\xAC";
    const struct {
        const char* what;
        std::string bytes;
        bool heldOpen = false;
    } bodies[] = {
        {"ANSI", ansi},
        {"UTF-8", "\xEF\xBB\xBF" + utf8},
        {"UTF-16", std::string("\xFF\xFEG\0r\0\xFC\0\xDF\0e\0 \0\xAC\x20", 16)},
        {"held open", ansi, true},
    };
    for (const auto& body : bodies) {
        SCOPED_TRACE(body.what);
        ScratchFolder source;
        source.Write(L"body.txt", body.bytes);
        source.Write(L"job.ini", Job("a@b", Narrow(source / L"body.txt"), "AnzahlDokumente=0\r\n"));
        const std::wstring job = source / L"job.ini";
        // Another program still writing it, as a caller that has not closed it yet.
        const support::UniqueHandle holder(support::ValidOrNull(
            body.heldOpen ? ::CreateFileW((source / L"body.txt").c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                          : INVALID_HANDLE_VALUE));
        ASSERT_EQ(static_cast<bool>(holder), body.heldOpen);

        // One way at a time: a folder's registrations last as long as the folder.
        {
            MailerFolder controls;
            controls.Offer(Component::MapiSession);
            controls.Offer(Component::MapiMessages);
            EXPECT_EQ(controls.Run(job).result.exitCode, kSent);
            EXPECT_TRUE(Has(controls.ComLog(), "MAPIMessages.MsgNoteText put bstr:" + utf8));
        }
        {
            MailerFolder outlook;
            outlook.Offer(Component::Outlook);
            EXPECT_EQ(outlook.Run(job).result.exitCode, kSent);
            EXPECT_TRUE(Has(outlook.ComLog(), "MailItem.Body put bstr:" + utf8));
        }
        {
            MailerFolder library;
            library.PlaceLibrary();
            EXPECT_EQ(library.Run(job).result.exitCode, kSent);
            const Lines log = library.LibraryLog();
            EXPECT_TRUE(log.size() > 2 && Contains(log[2], "noteText=7:\"" + ansi + "\""));
        }
        MailerFolder mailto;
        EXPECT_EQ(mailto.Run(job, IDYES).result.exitCode, kSent);
        const Lines link = mailto.MailtoLog();
        EXPECT_TRUE(link.size() == 1 && link[0].ends_with("&body=Gr%C3%BC%C3%9Fe%20%E2%82%AC"));
    }
}

// Where the library comes from, and what a refusing library does.
TEST(MailerSimpleMapi, LibraryProvisionAndRefusals) {
    ScratchFolder registered;
    ASSERT_TRUE(::CopyFileW((ThisProgramFolder() + L"\\smapi.dll").c_str(),
                            (registered / L"live.dll").c_str(), FALSE));
    const struct {
        const char* name;
        DWORD type;  // 0: no registration
        std::wstring value;
        bool sent;
    } cases[] = {
        {"REG_SZ", REG_SZ, registered / L"live.dll", true},
        {"REG_EXPAND_SZ", REG_EXPAND_SZ, L"%TS_LIVE_MAIL%\\live.dll", true},
        {"registered file missing", REG_SZ, registered / L"none.dll", false},
        {"no registration", 0, L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MailerFolder folder;
        if (c.type != 0) {
            ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kLiveMailKey, L"DLLPath", c.type,
                                        c.value.c_str(),
                                        static_cast<DWORD>((c.value.size() + 1) * sizeof(wchar_t))),
                      ERROR_SUCCESS);
        }
        const AnsweredRun run = folder.Run(folder.WriteSimpleJob(kTwoDocuments), IDNO,
                                           {{L"TS_LIVE_MAIL", registered.Path()}});
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, kLiveMailKey);
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kLiveMailKey);
        // The copy stays beside the program; the records are written beside the copy.
        EXPECT_EQ(folder.Folder().Exists(L"smapi.dll"), c.sent);
        EXPECT_EQ(run.result.exitCode, c.sent ? kSent : kNotSent);
        EXPECT_EQ(folder.LibraryLog(), c.sent ? kLibraryWithTwoDocuments : Lines{});
        EXPECT_EQ(folder.MailtoLog().size(), c.sent ? 0u : 1u);
    }

    // A library already there is used without reading the registry.
    MailerFolder folder;
    folder.PlaceLibrary(1, 0);
    const AnsweredRun refusedLogon = folder.Run(folder.WriteSimpleJob(kTwoDocuments), IDNO);
    EXPECT_EQ(refusedLogon.result.exitCode, kNotSent);
    EXPECT_EQ(folder.LibraryLog().size(), 1u);
    EXPECT_EQ(folder.MailtoLog().size(), 1u);

    MailerFolder broken;  // a file of that name that is no library
    broken.Folder().Write(L"smapi.dll", "kein Programm");
    EXPECT_EQ(broken.Run(broken.WriteSimpleJob(kTwoDocuments), IDNO).result.exitCode, kNotSent);
    EXPECT_EQ(broken.MailtoLog().size(), 1u);

    MailerFolder another;
    another.PlaceLibrary(0, 2);
    const AnsweredRun refusedSend = another.Run(another.WriteSimpleJob(kTwoDocuments), IDYES);
    EXPECT_EQ(refusedSend.result.exitCode, kSent);
    const Lines log = another.LibraryLog();
    EXPECT_EQ(CountStarting(log, "BMAPISendMail"), 1u);
    EXPECT_EQ(CountStarting(log, "MAPILogoff"), 0u);  // the session stays logged on
    EXPECT_EQ(another.MailtoLog().size(), 1u);
}

TEST(MailerMailto, LinkQuestionAndAnswers) {
    for (const int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer);
        MailerFolder folder;
        folder.Folder().Write(L"body.txt", "100% & mehr?\r\nZeile #2");
        const std::wstring job = folder.WriteJob(
            "[Empfaenger]\r\nEmpfaenger1=a@example.org\r\n[Mail]\r\n"
            "Betreff=Fragen & Antworten?\r\nText=" +
            Narrow(folder.Folder() / L"body.txt") +
            "\r\n[Dokumente]\r\nAnzahlDokumente=2\r\n"
            "Dokument1=C:\\Mein Ordner\\a#1.pdf\r\nDokument2=C:\\b.pdf\r\n");
        const AnsweredRun run = folder.Run(job, answer);
        ExpectOneBox(run,
                     L"Fügen Sie bitte die Dateien aus dem Ordner \r\nC:\\Mein Ordner\r\n\r\n"
                     L"einer E-Mail als Anlage bei.\r\nWenn Ihre E-Mail versendet wurde, "
                     L"bestätigen Sie bitte mit \"Ja\".",
                     L"mailer", MB_ICONQUESTION, {IDYES, IDNO});
        const Lines mailto = folder.MailtoLog();
        ASSERT_EQ(mailto.size(), 1u);
        EXPECT_TRUE(
            mailto[0].ends_with("mailto:a@example.org?Subject=Fragen%20%26%20Antworten%3F"
                                "&body=100%25%20%26%20mehr%3F%0D%0AZeile%20%232"
                                "&Attach=%22C%3A%5CMein%20Ordner%5Ca%231.pdf%22"))
            << mailto[0];
        if (answer == IDYES) {
            EXPECT_EQ(run.result.exitCode, kSent);
            EXPECT_EQ(folder.ExplorerLog(),
                      Lines{"\"C:\\windows\\explorer.exe\" \"C:\\Mein Ordner\""});
        } else {
            EXPECT_EQ(run.result.exitCode, kNotSent);
            EXPECT_TRUE(folder.ExplorerLog().empty());
        }
    }
}

// Between the library beside the program and the link: the default mail program through the
// system's Simple MAPI. Wine's mapi32 hands MAPISendMailW to the library registered as the
// default mail program's DLLPath; with a DLL override for mailer.exe the stand-in without the
// wide form is the system's MAPI32 itself (wine takes overrides of a program started by
// another from the registry, not from its environment).
TEST(MailerDefaultProgram, ReachedThroughTheSystemsSimpleMapi) {
    const std::string subjectAndBody =
        " subject=\"Unterlagen\" noteText=\"Guten Tag,%0D%0Aanbei die Unterlagen.\" recipCount=1";
    const Lines sent = {
        "MAPISendMailW session=0 ui=0 flags=9 reserved=0 result=0",
        "message" + subjectAndBody + " fileCount=2",
        "recip[0] class=1 name=\"a@example.org\" address=\"SMTP:a@example.org\"",
        "file[0] position=4294967295 pathName=\"C:\\Docs\\a.pdf\" fileName=\"a.pdf\"",
        "file[1] position=4294967295 pathName=\"C:\\b c.txt\" fileName=\"b c.txt\""};
    {
        MailerFolder folder;
        folder.RegisterDefaultProgram();
        const AnsweredRun run =
            folder.Run(folder.WriteSimpleJob({"C:\\Docs\\a.pdf", "", "C:\\b c.txt"}));
        EXPECT_EQ(run.result.exitCode, kSent);
        EXPECT_TRUE(run.boxes.empty());
        EXPECT_EQ(folder.DefaultProgramLog(), sent);
        EXPECT_TRUE(folder.MailtoLog().empty());
    }
    {  // MAPISendMail, where the system has no wide form
        MailerFolder folder;
        folder.RegisterDefaultProgram();
        wchar_t system[MAX_PATH] = {};
        const std::wstring log =
            std::wstring(system, ::GetSystemDirectoryW(system, MAX_PATH)) + L"\\smapi_calls.log";
        const wchar_t overrides[] = L"Software\\Wine\\AppDefaults\\mailer.exe";
        ::RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(overrides) + L"\\DllOverrides").c_str(),
                          L"mapi32", REG_SZ, L"native", sizeof L"native");
        ::DeleteFileW(log.c_str());
        const AnsweredRun run = folder.Run(folder.WriteSimpleJob({}));
        ::RegDeleteTreeW(HKEY_CURRENT_USER, overrides);
        EXPECT_EQ(run.result.exitCode, kSent);
        EXPECT_EQ(testing_support::Lines(ReadFileBytes(log)),
                  (Lines{"MAPISendMail session=0 ui=0 flags=9 reserved=0 result=0",
                         "message" + subjectAndBody + " fileCount=0", sent[2]}));
        ::DeleteFileW(log.c_str());
    }
    // Any other answer leaves the link to the user; so do no registered program (and no box
    // of the system's) and the job's switch.
    struct Case {
        const char* name;
        std::optional<unsigned long> result;  // none: no default program registered
        const char* mailKey = "";             // a line for the job's [Mail] section
    };
    const Case cases[] = {{"user abort", 1},
                          {"failure", 2},
                          {"not supported", 26},
                          {"none registered", std::nullopt},
                          {"switched off", 0, "Standardprogramm=0\r\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MailerFolder folder;
        if (c.result) {
            folder.RegisterDefaultProgram(*c.result);
        }
        const std::wstring job = folder.WriteSimpleJob({});
        std::string text = folder.Folder().Read(L"job.ini");
        folder.Folder().Write(L"job.ini", text.insert(text.find("[Mail]\r\n") + 8, c.mailKey));
        const AnsweredRun run = folder.Run(job, IDNO);
        EXPECT_EQ(run.result.exitCode, kNotSent);
        EXPECT_EQ(run.boxes.size(), 1u);
        EXPECT_EQ(folder.MailtoLog().size(), 1u);
        const Lines log = folder.DefaultProgramLog();
        const bool asked = c.result && *c.mailKey == '\0';
        EXPECT_EQ(log.empty(), !asked);
        if (asked) {
            EXPECT_TRUE(log[0].ends_with(" result=" + std::to_string(*c.result))) << log[0];
        }
    }
}

// A count of 0 or below: the mail goes out without attachments through any way.
TEST(MailerWithoutDocuments, EveryWaySendsWithoutAttachments) {
    for (const char* count : {"0", "-3", "-32768"}) {
        SCOPED_TRACE(count);
        MailerFolder controls;
        controls.Offer(Component::MapiSession);
        controls.Offer(Component::MapiMessages);
        controls.Folder().Write(L"body.txt", "x");
        const std::string job = Job("a@b", Narrow(controls.Folder() / L"body.txt"),
                                    std::string("AnzahlDokumente=") + count + "\r\n");
        EXPECT_EQ(controls.Run(controls.WriteJob(job)).result.exitCode, kSent);
        EXPECT_EQ(CountStarting(controls.ComLog(), "MAPIMessages.Attachment"), 0u);
        EXPECT_TRUE(Has(controls.ComLog(), "MAPIMessages.Send call bool:false"));
    }

    {
        MailerFolder outlook;
        outlook.Offer(Component::Outlook);
        EXPECT_EQ(outlook.Run(outlook.WriteSimpleJob({})).result.exitCode, kSent);
        EXPECT_TRUE(Has(outlook.ComLog(), "MailItem.Send call"));
        EXPECT_EQ(CountStarting(outlook.ComLog(), "MailItem.Attachments"), 0u);
    }
    {
        MailerFolder library;
        library.PlaceLibrary();
        EXPECT_EQ(library.Run(library.WriteSimpleJob({})).result.exitCode, kSent);
        EXPECT_TRUE(Has(library.LibraryLog(), "file count=0" + kRecordSize));
    }

    MailerFolder mailto;
    const AnsweredRun run = mailto.Run(mailto.WriteSimpleJob({}), IDYES);
    EXPECT_EQ(run.result.exitCode, kSent);
    ExpectOneBox(run, L"Wenn Ihre E-Mail versendet wurde, bestätigen Sie bitte mit \"Ja\".",
                 L"mailer", MB_ICONQUESTION, {IDYES, IDNO});
    const Lines link = mailto.MailtoLog();
    ASSERT_EQ(link.size(), 1u);
    EXPECT_TRUE(
        link[0].ends_with("?Subject=Unterlagen&body=Guten%20Tag%2C%0D%0Aanbei%20die%20"
                          "Unterlagen."))
        << link[0];
    EXPECT_TRUE(mailto.ExplorerLog().empty());
}

// A half rounds to the even neighbour above, and more count than keys gives empty entries.
TEST(MailerDocumentCount, RoundedAndMoreThanTheKeys) {
    MailerFolder folder;
    folder.PlaceLibrary();
    folder.Folder().Write(L"body.txt", "x");
    const std::wstring job = folder.WriteJob(
        Job("a@b", Narrow(folder.Folder() / L"body.txt"),
            "AnzahlDokumente= 3.5 \r\nDokument1=C:\\1.pdf\r\nDokument3=C:\\3.pdf\r\n"));
    EXPECT_EQ(folder.Run(job).result.exitCode, kSent);
    const Lines log = folder.LibraryLog();
    const auto first = std::ranges::find(log, "file count=4" + kRecordSize);
    ASSERT_NE(first, log.end());
    const Lines files(first, log.end() - 1);
    EXPECT_EQ(files, (Lines{"file count=4" + kRecordSize,
                            "file[0] reserved=0 flags=0 position=0 pathName=8:\"C:\\1.pdf\" "
                            "fileName=5:\"1.pdf\" fileType=0:\"\"",
                            "file[1] reserved=0 flags=0 position=0 pathName=0:\"\" fileName=0:\"\" "
                            "fileType=0:\"\"",
                            "file[2] reserved=0 flags=0 position=0 pathName=8:\"C:\\3.pdf\" "
                            "fileName=5:\"3.pdf\" fileType=0:\"\"",
                            "file[3] reserved=0 flags=0 position=0 pathName=0:\"\" fileName=0:\"\" "
                            "fileType=0:\"\""}));
}

// Large and odd input: a defined outcome each, and one mail at most.
TEST(MailerBadInput, LargeFilesLongPathsAndExtremeCounts) {
    MailerFolder folder;
    folder.PlaceLibrary();

    // A 10 MB job file: the values after the bulk count.
    std::string bulk = "[Ballast]\r\n";
    while (bulk.size() < 10 * 1024 * 1024) {
        bulk += "Zeile" + std::to_string(bulk.size()) + "=" + std::string(100, 'x') + "\r\n";
    }
    folder.Folder().Write(L"body.txt", "x");
    const std::string body = Narrow(folder.Folder() / L"body.txt");
    EXPECT_EQ(folder.Run(folder.WriteJob(bulk + Job("a@b", body, "AnzahlDokumente=0\r\n")))
                  .result.exitCode,
              kSent);
    EXPECT_EQ(CountStarting(folder.LibraryLog(), "BMAPISendMail"), 1u);

    // A document path of 1000 characters arrives whole.
    const std::string longPath = "C:\\" + std::string(991, 'd') + "\\a.pdf";
    const AnsweredRun longRun = folder.Run(
        folder.WriteJob(Job("a@b", body, "AnzahlDokumente=1\r\nDokument1=" + longPath + "\r\n")));
    EXPECT_EQ(longRun.result.exitCode, kSent);
    EXPECT_TRUE(Has(folder.LibraryLog(), "file[0] reserved=0 flags=0 position=0 pathName=1000:\"" +
                                             longPath + "\" fileName=5:\"a.pdf\" fileType=0:\"\""));

    // An empty body file and a body of 20 MB.
    folder.Folder().Write(L"empty.txt", "");
    EXPECT_EQ(folder
                  .Run(folder.WriteJob(
                      Job("a@b", Narrow(folder.Folder() / L"empty.txt"), "AnzahlDokumente=0\r\n")))
                  .result.exitCode,
              kSent);
    EXPECT_EQ(CountStarting(folder.LibraryLog(),
                            "message reserved=0 subject=7:\"Betreff\" noteText=0:\"\""),
              1u);
    folder.Folder().Write(L"big.txt", std::string(20 * 1024 * 1024, 'b'));
    EXPECT_EQ(folder
                  .Run(folder.WriteJob(
                      Job("a@b", Narrow(folder.Folder() / L"big.txt"), "AnzahlDokumente=0\r\n")))
                  .result.exitCode,
              kSent);
    EXPECT_EQ(CountStarting(folder.LibraryLog(),
                            "message reserved=0 subject=7:\"Betreff\" "
                            "noteText=20971520:\"bbbb"),
              1u);

    // The largest count without document keys: empty entries, handed over without waiting.
    const AnsweredRun most =
        folder.Run(folder.WriteJob(Job("a@b", body, "AnzahlDokumente=32767\r\n")));
    EXPECT_EQ(most.result.exitCode, kSent);
    EXPECT_FALSE(most.result.timedOut);
    EXPECT_TRUE(Has(folder.LibraryLog(), "file count=32767" + kRecordSize));
    EXPECT_EQ(CountStarting(folder.LibraryLog(), "BMAPISendMail"), 5u);
    EXPECT_TRUE(folder.MailtoLog().empty());
}

}  // namespace
}  // namespace testing_support
