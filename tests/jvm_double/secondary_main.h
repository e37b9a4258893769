#pragma once
// What the stand-in does for a launcher that keeps one running instance: an application whose
// main and secondaryMain run until the test lets them go, and a secondaryMain that records each
// call with its thread.
#include "double_state.h"

#include <string_view>

namespace jvm_double {

// When the setting names a file, records "hold WHAT thread=ID" and waits until the file exists.
void HoldWhileAsked(const wchar_t* setting, std::string_view what);

// The application's static secondaryMain(String[]), either form.
jvalue SecondaryMain(const Method& method, va_list args);

}  // namespace jvm_double
