#include "command_line.h"

#include <gtest/gtest.h>

#include "test_text.h"

namespace launcher {
namespace {

using Tokens = std::vector<std::wstring>;

TEST(CommandTokens, QuotesGroupAndOnlyBlanksSeparate) {
    struct Case {
        const wchar_t* text;
        Tokens tokens;
    };
    const Case cases[] = {
        {L"", {}},
        {L"   ", {}},
        {L"a \"b c\" d", {L"a", L"b c", L"d"}},
        {L"x \"y z", {L"x", L"y z"}},
        {L"a \"\" b", {L"a", L"", L"b"}},
        {L"\"\"", {L""}},
        {L"\"", {L""}},
        {L"a  b", {L"a", L"b"}},
        {L"a\tb", {L"a\tb"}},
        {L"C:\\dir\\ \"C:\\with blank\\\"", {L"C:\\dir\\", L"C:\\with blank\\"}},
        {L"\"ab\"cd", {L"ab", L"cd"}},
        {L"ab\"c d\"", {L"ab\"c", L"d\""}},
        {L"\u00e4\u00f6 \"\u00fc \u00df\"", {L"\u00e4\u00f6", L"\u00fc \u00df"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitCommandTokens(c.text), c.tokens) << testing::PrintToString(c.text);
    }
}

TEST(CommandTokens, ArgumentsDropTheProgramAndSurroundingWhiteSpace) {
    EXPECT_EQ(ArgumentsFromCommandLine(L"\t \"C:\\Program Files\\a.exe\" a \"b c\" d \r\n"),
              (Tokens{L"a", L"b c", L"d"}));
    EXPECT_EQ(ArgumentsFromCommandLine(L"start.exe"), Tokens{});
    EXPECT_EQ(ArgumentsFromCommandLine(L"  "), Tokens{});
    EXPECT_EQ(ArgumentsFromCommandLine(L"start.exe x \"y z"), (Tokens{L"x", L"y z"}));
}

// The service example of the docs: sc takes binPath= as one quoted value with \" for a quote;
// what follows the program's path reaches main.
TEST(CommandTokens, TheServiceExampleOfTheDocs) {
    const std::string line =
        testing_support::DocsLine(TS_DOCS_DIR, "launcher-service.md", "sc create ");
    const size_t value = line.find("binPath= \"");
    ASSERT_NE(value, std::string::npos) << line;
    std::wstring binPath;
    for (size_t i = value + 10; i < line.size() && line[i] != '"'; ++i) {
        i += line.compare(i, 2, "\\\"") == 0 ? 1 : 0;
        binPath += static_cast<wchar_t>(line[i]);
    }
    EXPECT_EQ(binPath, L"\"C:\\Program Files\\Tessaly\\agent.exe\" --port 7070");
    EXPECT_EQ(ArgumentsFromCommandLine(binPath), (Tokens{L"--port", L"7070"}));
}

}  // namespace
}  // namespace launcher
