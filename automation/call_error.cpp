#include "automation/call_error.h"

#include <oleauto.h>

#include <cwchar>
#include <memory>

#include "support/unique_handle.h"

namespace automation {

std::wstring SystemText(long code) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const support::UniqueLocal<wchar_t> owner(buffer);
    std::wstring text = length == 0 ? std::wstring() : std::wstring(buffer, length);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return text;
}

std::wstring DescribeCode(long code) {
    std::wstring text = SystemText(code);
    if (text.empty()) {
        wchar_t hex[16] = {};
        swprintf(hex, 16, L"%08lX", static_cast<unsigned long>(code));
        text = L"Fehler 0x" + std::wstring(hex);
    }
    return text;
}

long ErrorNumber(WORD wCode, SCODE scode, HRESULT hr) {
    if (wCode != 0) {
        return wCode;
    }
    const long code = scode != 0 ? scode : hr;
    return HRESULT_FACILITY(code) == FACILITY_CONTROL ? HRESULT_CODE(code) : code;
}

CallError ErrorFromHresult(HRESULT hr) {
    return CallError{ErrorNumber(0, 0, hr), DescribeCode(hr)};
}

CallError ErrorFromException(EXCEPINFO& info, HRESULT hr) {
    if (info.pfnDeferredFillIn != nullptr) {
        info.pfnDeferredFillIn(&info);
    }
    CallError error;
    error.number = ErrorNumber(info.wCode, info.scode, hr);
    if (info.bstrDescription != nullptr) {
        error.description.assign(info.bstrDescription, ::SysStringLen(info.bstrDescription));
    }
    if (error.description.empty()) {
        // The code as raised: the system has no text for a control error's low bits.
        error.description = DescribeCode(info.wCode != 0   ? info.wCode
                                         : info.scode != 0 ? info.scode
                                                           : hr);
    }
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrHelpFile);
    info.bstrSource = info.bstrDescription = info.bstrHelpFile = nullptr;
    return error;
}

}  // namespace automation
