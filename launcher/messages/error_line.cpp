#include "messages/error_line.h"

namespace launcher {

std::wstring ErrorLine(std::wstring_view message) {
    std::wstring line = L"Error: ";
    line += message;
    line += L" \n";
    return line;
}

}  // namespace launcher
