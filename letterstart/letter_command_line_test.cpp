#include "letter_command_line.h"

#include <gtest/gtest.h>

#include "test_text.h"

#include "letter_messages.h"

namespace letterstart {
namespace {

TEST(LetterCommandLine, ArgumentTextDropsTheProgram) {
    const std::pair<std::wstring_view, std::wstring_view> cases[] = {
        {L"letterstart.exe -d\"a b\" /c x", L"-d\"a b\" /c x"},
        {L"\"C:\\Program Files\\letterstart.exe\"  \t-dx /cy", L"-dx /cy"},
        {L"\"C:\\a b\\l.exe\"-dx", L"-dx"},
        {L"letterstart.exe", L""},
        {L"", L""},
        {L"\"unclosed quote /c", L""},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(ArgumentText(line), expected) << std::wstring(line);
    }
}

TEST(LetterCommandLine, SplitAtEveryLowerCaseMarker) {
    const std::pair<std::wstring_view, std::vector<std::wstring>> cases[] = {
        {L"-dC:\\a.doc /cC:\\d.txt", {L"-dC:\\a.doc ", L"C:\\d.txt"}},
        {L"-da /cb/cc", {L"-da ", L"b", L"c"}},
        {L"-da /Cb", {L"-da /Cb"}},
        {L"/cb", {L"", L"b"}},
        {L"a/c", {L"a", L""}},
        {L"", {L""}},
    };
    for (const auto& [text, parts] : cases) {
        EXPECT_EQ(SplitAtMarker(text), parts) << std::wstring(text);
    }
}

TEST(LetterCommandLine, PathsFromTheParts) {
    struct Case {
        std::wstring_view first, second;
        std::optional<std::wstring> main;
        std::wstring data;
    };
    const Case cases[] = {
        {L"-dC:\\Briefe\\Brief.doc ", L"C:\\Daten\\d.txt", L"C:\\Briefe\\Brief.doc",
         L"C:\\Daten\\d.txt"},
        // The framing characters are dropped unseen, whatever they are.
        {L"xyC:\\a.doc?", L" C:\\d.txt ", L"C:\\a.doc", L"C:\\d.txt"},
        {L"-d \"C:\\mit Leer\\a.doc\" ", L" \"C:\\mit Leer\\d.txt\" ", L"C:\\mit Leer\\a.doc",
         L"C:\\mit Leer\\d.txt"},
        // Only one enclosing pair goes; a lone quote stays.
        {L"-d\"\"a\"\" ", L"\"d.txt", L"\"a\"", L"\"d.txt"},
        {L"-dC:/Briefe//a.doc ", L"//srv/share/d.txt", L"C:\\Briefe\\a.doc",
         L"\\\\srv\\share\\d.txt"},
        {L"-d\\Briefe\\a.doc ", L"\\\\srv\\\\d.txt", L"\\Briefe\\a.doc", L"\\\\srv\\d.txt"},
        {L"abc", L"", L"", L""},
        {L"ab", L"x", std::nullopt, L"x"},
        {L"", L"x", std::nullopt, L"x"},
        {L"-d\tC:\\a.doc\t", L"\tx", L"\tC:\\a.doc", L"\tx"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MainDocumentPath(c.first), c.main) << std::wstring(c.first);
        EXPECT_EQ(DataSourcePath(c.second), c.data) << std::wstring(c.second);
    }
}

TEST(LetterMessages, Texts) {
    EXPECT_EQ(MissingFileText(L""), L"Die Datei  existiert nicht!");
    EXPECT_EQ(MissingFileText(L"C:\\ä.doc"), L"Die Datei C:\\ä.doc existiert nicht!");
    EXPECT_EQ(FailureText(220, -2147221164, L"Klasse nicht registriert"),
              L"Fehler in Zeilennummer: 220, Fehlernummer: -2147221164. Beschreibung: "
              L"(Klasse nicht registriert).");
}

TEST(LetterCommandLine, TheExampleOfTheDocs) {
    for (const char* page : {"letterstart.md", "deploying.md"}) {
        const std::string line = testing_support::DocsLine(TS_DOCS_DIR, page, "letterstart.exe -d");
        ASSERT_FALSE(line.empty()) << page;
        const std::vector<std::wstring> parts =
            SplitAtMarker(ArgumentText(std::wstring(line.begin(), line.end())));
        ASSERT_EQ(parts.size(), 2u) << page;
        EXPECT_EQ(MainDocumentPath(parts[0]), L"C:\\Serienbriefe\\Einladung.doc") << page;
        EXPECT_EQ(DataSourcePath(parts[1]), L"C:\\Serienbriefe\\Adressen.txt") << page;
    }
}

}  // namespace
}  // namespace letterstart
