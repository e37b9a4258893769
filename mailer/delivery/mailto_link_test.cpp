#include "delivery/mailto_link.h"

#include <gtest/gtest.h>

namespace mailer {
namespace {

TEST(MailtoLink, KeepsTheParametersAndEncodesTheirValues) {
    EXPECT_EQ(MailtoLink(L"a.b@example.org", L"Hallo", L"Text", {L"C:\\Docs\\a.pdf", L"b"}),
              "mailto:a.b@example.org?Subject=Hallo&body=Text&Attach=%22C%3A%5CDocs%5Ca.pdf%22");
    // What would cut or change the mail: "&", "?", "#", "%", blanks, line breaks, umlauts.
    EXPECT_EQ(MailtoLink(L"x&y?z@h#t", L"A&B ?#50%", L"ä\r\nb\nc\rd", {L"C:\\a&b #1.pdf"}),
              "mailto:x%26y%3Fz@h%23t?Subject=A%26B%20%3F%2350%25"
              "&body=%C3%A4%0D%0Ab%0D%0Ac%0D%0Ad&Attach=%22C%3A%5Ca%26b%20%231.pdf%22");
    // A character outside the basic plane, and a lone surrogate.
    EXPECT_EQ(MailtoLink(L"@", L"\U0001F600", std::wstring(1, wchar_t(0xD800)), {}),
              "mailto:@?Subject=%F0%9F%98%80&body=%EF%BF%BD");
}

TEST(MailtoLink, WithoutDocumentsHasNoAttachPart) {
    EXPECT_EQ(MailtoLink(L"a@b", L"", L"", {}), "mailto:a@b?Subject=&body=");
    // An empty first entry still names an (empty) attachment.
    EXPECT_EQ(MailtoLink(L"a@b", L"", L"", {L""}), "mailto:a@b?Subject=&body=&Attach=%22%22");
}

TEST(AttachByHandQuestion, Texts) {
    EXPECT_EQ(AttachByHandQuestion(L"C:\\Docs", true),
              L"Fügen Sie bitte die Dateien aus dem Ordner \r\nC:\\Docs\r\n\r\n"
              L"einer E-Mail als Anlage bei.\r\n"
              L"Wenn Ihre E-Mail versendet wurde, bestätigen Sie bitte mit \"Ja\".");
    EXPECT_EQ(AttachByHandQuestion(L"", false),
              L"Wenn Ihre E-Mail versendet wurde, bestätigen Sie bitte mit \"Ja\".");
}

}  // namespace
}  // namespace mailer
