// letterstart.exe as another program starts it: its two files, Word played by the recording
// automation double under Word's class identifier and ProgID, its boxes read and answered.
#include <gtest/gtest.h>

#include "automation/call_error.h"
#include "com_registration.h"
#include "message_box_driver.h"
#include "scratch_folder.h"
#include "test_text.h"

namespace {

using testing_support::MessageBoxDriver;
using testing_support::MessageBoxInfo;

const wchar_t kWordClassId[] = L"{000209FF-0000-0000-C000-000000000046}";
const wchar_t kWordProgId[] = L"Word.Application";
const wchar_t kFailureTitle[] = L"Quelle: in procedure Form_Load of Formular Form1";
constexpr DWORD kFailed = 0xFFFFFFFF;

// Word's objects as letterstart reaches them.
const char kWord[] =
    "create Application\n"
    "Application.Visible\n"
    "Application.Documents = object Documents\n"
    "Application.ActiveDocument = object Document\n"
    "Documents.Open = object Document\n"
    "Document.MailMerge = object MailMerge\n"
    "MailMerge.MainDocumentType\n"
    "MailMerge.OpenDataSource\n"
    "MailMerge.ViewMailMergeFieldCodes\n";

std::string Utf8(const std::wstring& text) {
    std::string result(text.size() * 3 + 1, '\0');
    result.resize(::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                        result.data(), static_cast<int>(result.size()), nullptr,
                                        nullptr));
    return result;
}

std::wstring Replace(std::wstring text, std::wstring_view from, const std::wstring& to) {
    for (size_t at = text.find(from); at != std::wstring::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

struct Outcome {
    testing_support::AnsweredRun run;
    std::vector<std::string> log;
};

class LetterstartTest : public testing::Test {
  protected:
    LetterstartTest() {
        folder_.Write(L"Brief.doc", "letter");
        folder_.Write(L"Daten.txt", "Name;Ort\r\n");
        folder_.Write(L"Ordner\\inside.txt", "");
    }

    std::wstring MainDocument() const { return folder_ / L"Brief.doc"; }
    std::wstring DataSource() const { return folder_ / L"Daten.txt"; }

    // Placeholders {main}, {data}, {dir} stand for the scratch folder's files.
    std::wstring Expand(std::wstring arguments) const {
        arguments = Replace(std::move(arguments), L"{main}", MainDocument());
        arguments = Replace(std::move(arguments), L"{data}", DataSource());
        return Replace(std::move(arguments), L"{dir}", folder_.Path());
    }

    // Word registered under its class identifier and, unless told otherwise, its ProgID.
    Outcome Start(const std::wstring& arguments, const std::string& wordLines = "",
                  bool registerWord = true, bool registerProgId = true) {
        const std::wstring config = folder_ / L"word.txt";
        folder_.Write(L"word.txt", std::string(kWord) + wordLines);
        ::DeleteFileW((config + L".log").c_str());
        std::optional<testing_support::ComDoubleRegistration> word;
        if (registerWord) {
            word.emplace(kWordClassId,
                         registerProgId ? std::vector<std::wstring>{kWordProgId}
                                        : std::vector<std::wstring>{},
                         config);
        }
        testing_support::ProcessRequest request;
        request.program = testing_support::ThisProgramFolder() + L"\\letterstart.exe";
        request.arguments = arguments;
        request.timeout = std::chrono::seconds(20);
        Outcome outcome;
        outcome.run = RunAnsweringBoxes(driver_, request);
        outcome.log = testing_support::CallLog(config + L".log");
        return outcome;
    }

    testing_support::ScratchFolder folder_;
    MessageBoxDriver driver_;
};

// A run that ended with exactly one box with an OK button.
void ExpectOneBox(const Outcome& outcome, const std::wstring& text, const std::wstring& title,
                  UINT icon, const std::wstring& context) {
    SCOPED_TRACE(Utf8(context));
    EXPECT_FALSE(outcome.run.result.timedOut);
    EXPECT_EQ(outcome.run.result.exitCode, kFailed);
    ASSERT_EQ(outcome.run.boxes.size(), 1u);
    const MessageBoxInfo& box = outcome.run.boxes[0];
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, title);
    EXPECT_EQ(box.icon, std::optional<UINT>(icon));
    ASSERT_EQ(box.buttons.size(), 1u);
    EXPECT_EQ(box.buttons[0].id, IDOK);
}

TEST_F(LetterstartTest, OpensTheLetterAsAFormLetterWithItsDataSourceAndLeavesWordOpen) {
    const Outcome outcome = Start(Expand(L"-d{main} /c{data}"));
    EXPECT_TRUE(outcome.run.boxes.empty());
    EXPECT_EQ(outcome.run.result.exitCode, 0u);
    EXPECT_EQ(outcome.log, (std::vector<std::string>{
                               "create Application",
                               "create Application",
                               "Application released",
                               "Application.Visible put bool:true",
                               "Application.Documents get",
                               "Documents.Open call bstr:" + Utf8(MainDocument()),
                               "Document released",
                               "Documents released",
                               "Application.ActiveDocument get",
                               "Document.MailMerge get",
                               "MailMerge.MainDocumentType put i4:0",
                               "MailMerge.OpenDataSource call Name=bstr:" + Utf8(DataSource()) +
                                   " Format=i2:4 ConfirmConversions=bool:false ReadOnly=bool:true "
                                   "LinkToSource=bool:true AddToRecentFiles=bool:false",
                               "MailMerge.ViewMailMergeFieldCodes put i4:0",
                               "MailMerge released",
                               "Application.Visible put bool:true",
                               "Document released",
                               "Application released",
                           }));
}

TEST_F(LetterstartTest, CommandLineForms) {
    struct Case {
        const wchar_t* arguments;
        // The paths Word is given, or the missing file the box names.
        const wchar_t* opened;
        const wchar_t* source;
        const wchar_t* missing;
    };
    // clang-format off
    const Case cases[] = {
        // Quotes around either path are taken off; a second marker ends the data source.
        {L"-d\"{main}\" /c \"{data}\"",   L"{main}", L"{data}", nullptr},
        {L"-d{main} /c{data}/cC:\\x.txt", L"{main}", L"{data}", nullptr},
        {L"-d{dir}\\\\Brief.doc /c {dir}\\\\Daten.txt ", L"{main}", L"{data}", nullptr},
        // Without a lower-case marker both paths stay empty: two adjacent blanks.
        {L"{main} {data}",                nullptr, nullptr, L""},
        {L"-d{main} /C{data}",            nullptr, nullptr, L""},
        {L"-d{main} /c",                  nullptr, nullptr, L""},
        {L"-d{dir}\\Fehlt.doc /c{data}",  nullptr, nullptr, L"{dir}\\Fehlt.doc"},
        {L"-d{main} /c{dir}\\Fehlt.txt",  nullptr, nullptr, L"{dir}\\Fehlt.txt"},
        {L"-d{main} /c{dir}\\Ordner",     nullptr, nullptr, L"{dir}\\Ordner"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::wstring arguments = Expand(c.arguments);
        const Outcome outcome = Start(arguments);
        if (c.missing != nullptr) {
            ExpectOneBox(outcome, L"Die Datei " + Expand(c.missing) + L" existiert nicht!",
                         L"Hinweis", MB_ICONEXCLAMATION, arguments);
            EXPECT_TRUE(outcome.log.empty()) << Utf8(arguments);
            continue;
        }
        EXPECT_TRUE(outcome.run.boxes.empty()) << Utf8(arguments);
        EXPECT_EQ(outcome.run.result.exitCode, 0u) << Utf8(arguments);
        ASSERT_GE(outcome.log.size(), 12u) << Utf8(arguments);
        EXPECT_EQ(outcome.log[5], "Documents.Open call bstr:" + Utf8(Expand(c.opened)));
        EXPECT_TRUE(testing_support::Contains(
            outcome.log[11], "OpenDataSource call Name=bstr:" + Utf8(Expand(c.source)) + " "))
            << outcome.log[11];
    }
}

TEST_F(LetterstartTest, EachFailingStepNamesItsNumberAndWordIsNeverClosed) {
    struct Case {
        const char* wordLine;
        int step;
        long number;
        std::wstring description;  // empty: the system's description of the number
        bool registerWord = true;
        bool registerProgId = true;
    };
    // clang-format off
    const Case cases[] = {
        {"", 220, REGDB_E_CLASSNOTREG, L"", false},
        {"create fail 0x80080005\n", 220, CO_E_SERVER_EXEC_FAILURE, L""},
        {"", 230, CO_E_CLASSSTRING, L"", true, false},
        {"Application.Visible call 1 fails scode 0x800A11FD Diese Methode ist nicht verfügbar\n", 250, 4605, L"Diese Methode ist nicht verfügbar"},
        {"Application.Documents fails scode 0x800A175D Dokumente fehlen\n", 260, 5981, L"Dokumente fehlen"},
        {"Documents.Open fails scode 0x800A1436 Das Dokument wurde nicht gefunden.\n", 260, 5174, L"Das Dokument wurde nicht gefunden."},
        {"Documents.Open fails hresult 0x800A1436\n", 260, 5174, automation::DescribeCode(static_cast<long>(0x800A1436))},
        {"Documents.Open fails wcode 5174 Das Dokument wurde nicht gefunden.\n", 260, 5174, L"Das Dokument wurde nicht gefunden."},
        {"Application.ActiveDocument fails hresult 0x80004005\n", 270, E_FAIL, L""},
        {"Application.ActiveDocument = none\n", 270, E_POINTER, L""},
        {"Document.MailMerge fails scode 0x800A1098 Kein Dokument geöffnet\n", 280, 4248, L"Kein Dokument geöffnet"},
        {"MailMerge.MainDocumentType fails scode 0x800A0006 Überlauf\n", 290, 6, L"Überlauf"},
        {"MailMerge.OpenDataSource fails scode 0x800A1066 Datenquelle nicht lesbar\n", 300, 4198, L"Datenquelle nicht lesbar"},
        {"MailMerge.ViewMailMergeFieldCodes fails scode 0x800A1066 Befehl misslungen\n", 310, 4198, L"Befehl misslungen"},
        {"Application.Visible call 2 fails scode 0x800A1066 Befehl misslungen\n", 330, 4198, L"Befehl misslungen"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const Outcome outcome =
            Start(Expand(L"-d{main} /c{data}"), c.wordLine, c.registerWord, c.registerProgId);
        const std::wstring description =
            c.description.empty() ? automation::DescribeCode(c.number) : c.description;
        ExpectOneBox(outcome,
                     L"Fehler in Zeilennummer: " + std::to_wstring(c.step) + L", Fehlernummer: " +
                         std::to_wstring(c.number) + L". Beschreibung: (" + description + L").",
                     kFailureTitle, 0, std::to_wstring(c.step));
        // Nothing after the failing call, and never a word about quitting.
        std::string lastCall;
        for (const auto& line : outcome.log) {
            EXPECT_FALSE(testing_support::Contains(line, "Quit")) << line;
            if (!testing_support::Contains(line, "released")) {
                lastCall = line;
            }
        }
        const std::string failing = c.wordLine;
        if (failing.find(" fails") != std::string::npos ||
            failing.find(" = none") != std::string::npos) {
            const std::string member = failing.substr(0, failing.find(' '));
            EXPECT_TRUE(testing_support::Contains(lastCall, member)) << c.step << ": " << lastCall;
        }
    }
}

TEST_F(LetterstartTest, StepNinetyWhenTheFirstPartCannotBeCut) {
    for (const wchar_t* arguments : {L"/c{data}", L"-d/c{data}", L"ab/c{data}"}) {
        ExpectOneBox(Start(Expand(arguments)),
                     L"Fehler in Zeilennummer: 90, Fehlernummer: 5. Beschreibung: (Ungültiger "
                     L"Prozeduraufruf oder ungültiges Argument).",
                     kFailureTitle, 0, arguments);
    }
}

TEST_F(LetterstartTest, BadInputHasADefinedOutcome) {
    // A command line of 32 000 characters: a letter that does not exist.
    const std::wstring longName(31990, L'x');
    ExpectOneBox(Start(L"-d" + longName + L" /c" + DataSource()),
                 L"Die Datei " + longName + L" existiert nicht!", L"Hinweis", MB_ICONEXCLAMATION,
                 L"32000");

    // Names outside the ANSI code page reach Word unchanged.
    folder_.Write(L"Brief \u03a9\u4e2d.doc", "letter");
    const Outcome wide = Start(Expand(L"-d\"{dir}\\Brief \u03a9\u4e2d.doc\" /c{data}"));
    EXPECT_EQ(wide.run.result.exitCode, 0u);
    ASSERT_GE(wide.log.size(), 6u);
    EXPECT_EQ(wide.log[5], "Documents.Open call bstr:" + Utf8(folder_ / L"Brief \u03a9\u4e2d.doc"));

    // A letter path of 300 characters that exists: wine's file-system object finds it, and
    // Word gets the whole path, not a cut one.
    const std::wstring deep =
        std::wstring(120, L'a') + L"\\" + std::wstring(120, L'b') + L"\\c.doc";
    folder_.Write(deep, "letter");
    const std::wstring longPath = folder_ / deep;
    ASSERT_GT(longPath.size(), 260u);
    const Outcome longOne = Start(L"-d" + longPath + L" /c" + DataSource());
    EXPECT_TRUE(longOne.run.boxes.empty());
    EXPECT_EQ(longOne.run.result.exitCode, 0u);
    ASSERT_GE(longOne.log.size(), 6u);
    EXPECT_EQ(longOne.log[5], "Documents.Open call bstr:" + Utf8(longPath));
}

}  // namespace
