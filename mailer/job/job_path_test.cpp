#include "job/job_path.h"

#include <gtest/gtest.h>

#include "support/trim_blanks.h"

namespace mailer {
namespace {

TEST(NormaliseJobPath, Examples) {
    const struct {
        std::wstring raw;
        std::wstring path;
    } cases[] = {
        {L"  \"C:\\Jobs\\mail one.ini\"  ", L"C:\\Jobs\\mail one.ini"},
        {L"C:\\\\Jobs\\\\mail.ini", L"C:/Jobs/mail.ini"},
        {L"C://Jobs///mail.ini", L"C:/Jobs//mail.ini"},
        // A network path keeps its leading pair, also behind blanks and a quote.
        {L"\\\\srv\\share\\mail.ini", L"\\\\srv\\share\\mail.ini"},
        {L" \"\\\\srv\\share\\\\jobs\\mail.ini\"", L"\\\\srv\\share/jobs\\mail.ini"},
        // Only blanks are trimmed; a tab stays.
        {L"\tC:\\a.ini ", L"\tC:\\a.ini"},
        {L"", L""},
        {L"   ", L""},
        {L"\"\"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormaliseJobPath(c.raw), c.path) << c.raw.size();
    }
}

TEST(TrimBlanks, OnlyBlanksAtTheEnds) {
    EXPECT_EQ(support::TrimBlanks(L"  \r\nText\r\n  "), L"\r\nText\r\n");
    EXPECT_EQ(support::TrimBlanks(L"\ta b\t"), L"\ta b\t");
    EXPECT_EQ(support::TrimBlanks(L"    "), L"");
}

}  // namespace
}  // namespace mailer
