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

}  // namespace mailer
