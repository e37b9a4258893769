#pragma once
// The start-up trace: when JAVASTUB_TRACE names a file, every step appends one line per
// decision to it. Unset, each call is one test of a flag and builds no text.
#include <chrono>
#include <concepts>
#include <string>
#include <string_view>

#include "support/decimal_text.h"

namespace launcher::trace {

// JAVASTUB_TRACE names a file; read once per process.
bool On();

// Appends "<time stamp> [<process id> <bits>] <line>" to the file. A file that cannot be
// opened loses the line and changes nothing else.
void WriteLine(std::wstring_view line);

namespace detail {
inline void Append(std::wstring& line, std::wstring_view part) {
    line += part;
}
template <std::integral Number>
void Append(std::wstring& line, Number number) {
    line += support::DecimalText(number);
}
}  // namespace detail

// One line from its parts (texts and numbers), built only when the trace is on.
template <typename... Parts>
void Write(const Parts&... parts) {
    if (!On()) {
        return;
    }
    std::wstring line;
    (detail::Append(line, parts), ...);
    WriteLine(line);
}

// Writes "phase <name>: <n> ms" when it ends.
class Phase {
  public:
    explicit Phase(const wchar_t* name) : name_(name) {
        if (On()) {
            start_ = std::chrono::steady_clock::now();
        }
    }
    ~Phase() {
        if (On()) {
            const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::steady_clock::now() - start_);
            Write(L"phase ", std::wstring_view(name_), L": ", elapsed.count() / 1000, L".",
                  elapsed.count() / 100 % 10, L" ms");
        }
    }
    Phase(const Phase&) = delete;
    Phase& operator=(const Phase&) = delete;

  private:
    const wchar_t* name_;
    std::chrono::steady_clock::time_point start_{};
};

}  // namespace launcher::trace
