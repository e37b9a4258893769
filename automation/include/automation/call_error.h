#pragma once
// What a failed automation call reports: an error number and its description.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <utility>
#include <variant>

namespace automation {

struct CallError {
    // The number as the platform reports it: ErrorNumber.
    long number = 0;
    // EXCEPINFO's description, else the system's text for the number.
    std::wstring description;
};

// The system's message text for a code, without its line break; empty when it has none.
std::wstring SystemText(long code);

// The system's text for a code; where the system has none, "Fehler 0x" and the code in hex.
std::wstring DescribeCode(long code);

// EXCEPINFO's wCode when not zero; else its scode, or the call's HRESULT when scode is zero. A
// component's own error (facility FACILITY_CONTROL, 0x800Axxxx) counts by its low 16 bits, so
// Word's 0x800A1436 is 5174; every other HRESULT stays negative.
long ErrorNumber(WORD wCode, SCODE scode, HRESULT hr);

// A failure with the system's text for an HRESULT.
CallError ErrorFromHresult(HRESULT hr);

// The error of a call that answered DISP_E_EXCEPTION; clears the EXCEPINFO's strings.
CallError ErrorFromException(EXCEPINFO& info, HRESULT hr);

// Either a value or the error of the call that should have given it.
template <typename T>
class Result {
  public:
    Result(T value) : content_(std::move(value)) {}
    Result(CallError error) : content_(std::move(error)) {}

    bool Ok() const { return content_.index() == 0; }
    T& Value() { return std::get<0>(content_); }
    const CallError& Error() const { return std::get<1>(content_); }

  private:
    std::variant<T, CallError> content_;
};

struct Done {};
using Status = Result<Done>;

}  // namespace automation
