#include "automation/variant.h"

#include <oleauto.h>

#include <new>
#include <utility>

namespace automation {

Bstr::Bstr(std::wstring_view text)
    : text_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (text_ == nullptr) {
        throw std::bad_alloc();
    }
}

Bstr::Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    std::swap(text_, other.text_);
    return *this;
}

Bstr::~Bstr() {
    ::SysFreeString(text_);
}

BSTR* Bstr::Receive() {
    ::SysFreeString(std::exchange(text_, nullptr));
    return &text_;
}

std::wstring Bstr::Text() const {
    return text_ == nullptr ? std::wstring() : std::wstring(text_, ::SysStringLen(text_));
}

Variant::Variant() {
    ::VariantInit(&value_);
}

Variant::Variant(const Variant& other) {
    ::VariantInit(&value_);
    ::VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) {
    ::VariantInit(&other.value_);
}

Variant& Variant::operator=(Variant other) noexcept {
    std::swap(value_, other.value_);
    return *this;
}

Variant::~Variant() {
    ::VariantClear(&value_);
}

Variant Variant::Bool(bool value) {
    Variant result;
    result.value_.vt = VT_BOOL;
    result.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return result;
}

Variant Variant::I2(short value) {
    Variant result;
    result.value_.vt = VT_I2;
    result.value_.iVal = value;
    return result;
}

Variant Variant::I4(long value) {
    Variant result;
    result.value_.vt = VT_I4;
    result.value_.lVal = value;
    return result;
}

Variant Variant::String(std::wstring_view text) {
    Variant result;
    result.value_.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (result.value_.bstrVal == nullptr) {
        throw std::bad_alloc();
    }
    result.value_.vt = VT_BSTR;
    return result;
}

Variant Variant::Dispatch(IDispatch* object) {
    Variant result;
    if (object != nullptr) {
        object->AddRef();
    }
    result.value_.vt = VT_DISPATCH;
    result.value_.pdispVal = object;
    return result;
}

Variant Variant::Missing() {
    Variant result;
    result.value_.vt = VT_ERROR;
    result.value_.scode = DISP_E_PARAMNOTFOUND;
    return result;
}

VARIANT* Variant::Receive() {
    ::VariantClear(&value_);
    return &value_;
}

bool Variant::ToBool(bool& out) const {
    Variant converted;
    if (FAILED(
            ::VariantChangeType(converted.Receive(), const_cast<VARIANT*>(&value_), 0, VT_BOOL))) {
        return false;
    }
    out = converted.value_.boolVal != VARIANT_FALSE;
    return true;
}

bool Variant::ToLong(long& out) const {
    Variant converted;
    if (FAILED(::VariantChangeType(converted.Receive(), const_cast<VARIANT*>(&value_), 0, VT_I4))) {
        return false;
    }
    out = converted.value_.lVal;
    return true;
}

bool Variant::ToString(std::wstring& out) const {
    Variant converted;
    if (FAILED(
            ::VariantChangeType(converted.Receive(), const_cast<VARIANT*>(&value_), 0, VT_BSTR))) {
        return false;
    }
    BSTR text = converted.value_.bstrVal;
    out = text == nullptr ? std::wstring() : std::wstring(text, ::SysStringLen(text));
    return true;
}

SafeArray::SafeArray(SafeArray&& other) noexcept : array_(std::exchange(other.array_, nullptr)) {}

SafeArray& SafeArray::operator=(SafeArray&& other) noexcept {
    std::swap(array_, other.array_);
    return *this;
}

SafeArray::~SafeArray() {
    if (array_ != nullptr) {
        ::SafeArrayDestroy(array_);
    }
}

SAFEARRAY* SafeArray::Release() {
    return std::exchange(array_, nullptr);
}

}  // namespace automation
