// Steered through the environment:
//   TS_JVM_DOUBLE_SI_HOLD_CREATE     file: JNI_CreateJavaVM waits until it exists
//   TS_JVM_DOUBLE_SI_HOLD_MAIN       file: main waits until it exists, then does what
//                                    TS_JVM_DOUBLE_MAIN asks
//   TS_JVM_DOUBLE_SI_HOLD_SECONDARY  file: each secondaryMain waits until it exists
//   TS_JVM_DOUBLE_SECONDARY_RESULT   what the int form returns: a number, or "first" for the
//                                    number its first argument begins with
// Which form the class has is chosen with TS_JVM_DOUBLE_MISSING_METHODS.

#include "secondary_main.h"

#include <cstdlib>

namespace jvm_double {

namespace {

std::string ThisThread() {
    return "thread=" + std::to_string(GetCurrentThreadId());
}

bool FileExists(const std::string& path) {
    const std::u16string wide = Utf16(path);
    return GetFileAttributesW(reinterpret_cast<const wchar_t*>(wide.c_str())) !=
           INVALID_FILE_ATTRIBUTES;
}

}  // namespace

void HoldWhileAsked(const wchar_t* setting, std::string_view what) {
    const std::string file = Setting(setting);
    if (file.empty()) {
        return;
    }
    Record("hold " + std::string(what) + " " + ThisThread());
    while (!FileExists(file)) {
        Sleep(20);
    }
    Record("released " + std::string(what));
}

jvalue SecondaryMain(const Method& method, va_list args) {
    Object* array = va_arg(args, Object*);
    std::string line = "secondaryMain " + method.className + " " + method.signature +
                       " args=" + std::to_string(array != nullptr ? array->elements.size() : 0);
    std::string first;
    if (array != nullptr) {
        for (Object* element : array->elements) {
            const std::string text = element != nullptr ? Utf8(element->text) : "";
            line += element != nullptr ? " [" + text + "]" : " null";
            first = first.empty() ? text : first;
        }
    }
    // Two lines in one write, so that calls on several threads keep each pair together.
    Record("secondaryMain " + ThisThread() + "\n" + line);
    HoldWhileAsked(L"TS_JVM_DOUBLE_SI_HOLD_SECONDARY", "secondaryMain");

    const std::string result = Setting(L"TS_JVM_DOUBLE_SECONDARY_RESULT");
    jvalue value{};
    value.i = std::atoi(result == "first" ? first.c_str() : result.c_str());
    return value;
}

}  // namespace jvm_double
