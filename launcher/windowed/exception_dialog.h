#pragma once
// The windowed program's dialog for an exception that the Java program left behind (template
// 231, "Java Fehler"): the exception's text, selectable and copyable, "Ignorieren" and "Stop".
#include <string_view>

namespace launcher {

// Shows the dialog until the user answers; true for Stop. Resizable: the text grows with it.
bool AskStopAfterException(std::wstring_view text);

}  // namespace launcher
