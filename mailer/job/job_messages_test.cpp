#include "job/job_messages.h"

#include <gtest/gtest.h>

namespace mailer {
namespace {

TEST(JobMessages, Texts) {
    EXPECT_EQ(FileNotFoundText(L""), L"Datei nicht gefunden ");
    EXPECT_EQ(FileNotFoundText(L"C:/JOBS/MAIL.INI"), L"Datei nicht gefunden C:/JOBS/MAIL.INI");
    EXPECT_EQ(BadAddressText(L""), L"Die Emailadresse  fehlt oder ist nicht korrekt!");
    EXPECT_EQ(BadCountText(L" drei"), L"Falsche Parameter (AnzahlDokumente) drei");
    EXPECT_EQ(GetPathFailureText(30, 7, L"Nicht genügend Speicher"),
              L"Zeilennummer: 30, Fehlernummer: 7\r\nBeschreibung: (Nicht genügend Speicher)."
              L"\r\nQuelle: In Prozedur GetPath of Modul modHTMLPublics");
}

}  // namespace
}  // namespace mailer
