#include "job/job_messages.h"

namespace mailer {

std::wstring FileNotFoundText(std::wstring_view path) {
    return L"Datei nicht gefunden " + std::wstring(path);
}

std::wstring BadAddressText(std::wstring_view recipient) {
    return L"Die Emailadresse " + std::wstring(recipient) + L" fehlt oder ist nicht korrekt!";
}

std::wstring BadCountText(std::wstring_view count) {
    return L"Falsche Parameter (AnzahlDokumente)" + std::wstring(count);
}

std::wstring GetPathFailureText(int step, long number, std::wstring_view description) {
    return L"Zeilennummer: " + std::to_wstring(step) + L", Fehlernummer: " +
           std::to_wstring(number) + L"\r\nBeschreibung: (" + std::wstring(description) +
           L").\r\nQuelle: In Prozedur GetPath of Modul modHTMLPublics";
}

}  // namespace mailer
