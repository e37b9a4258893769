#include "letter_messages.h"

namespace letterstart {

std::wstring MissingFileText(std::wstring_view path) {
    return L"Die Datei " + std::wstring(path) + L" existiert nicht!";
}

std::wstring FailureText(int step, long errorNumber, std::wstring_view description) {
    return L"Fehler in Zeilennummer: " + std::to_wstring(step) + L", Fehlernummer: " +
           std::to_wstring(errorNumber) + L". Beschreibung: (" + std::wstring(description) + L").";
}

}  // namespace letterstart
