#pragma once
// Owners for the automation data types: BSTR, VARIANT and SAFEARRAY.
#include <oaidl.h>

#include <string>
#include <string_view>

namespace automation {

class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text);  // throws std::bad_alloc when out of memory
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept;
    Bstr& operator=(Bstr&& other) noexcept;
    ~Bstr();

    BSTR Get() const { return text_; }
    // For functions that hand out a new BSTR; frees the one held before.
    BSTR* Receive();
    std::wstring Text() const;

  private:
    BSTR text_ = nullptr;
};

class Variant {
  public:
    Variant();  // VT_EMPTY
    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant other) noexcept;
    ~Variant();

    static Variant Bool(bool value);
    static Variant I2(short value);
    static Variant I4(long value);
    static Variant String(std::wstring_view text);  // throws std::bad_alloc like Bstr
    static Variant Dispatch(IDispatch* object);     // adds a reference of its own
    // An argument left out: VT_ERROR with DISP_E_PARAMNOTFOUND.
    static Variant Missing();

    VARTYPE Type() const { return value_.vt; }
    const VARIANT& Get() const { return value_; }
    // For functions that fill a VARIANT; clears the one held before.
    VARIANT* Receive();

    // The value converted by the platform's rules; false when it cannot be converted.
    bool ToBool(bool& out) const;
    bool ToLong(long& out) const;
    bool ToString(std::wstring& out) const;

  private:
    VARIANT value_;
};

class SafeArray {
  public:
    SafeArray() = default;
    explicit SafeArray(SAFEARRAY* adopted) : array_(adopted) {}
    SafeArray(const SafeArray&) = delete;
    SafeArray& operator=(const SafeArray&) = delete;
    SafeArray(SafeArray&& other) noexcept;
    SafeArray& operator=(SafeArray&& other) noexcept;
    ~SafeArray();

    SAFEARRAY* Get() const { return array_; }
    // Hands the array to a VARIANT or a callee that takes ownership.
    SAFEARRAY* Release();

  private:
    SAFEARRAY* array_ = nullptr;
};

}  // namespace automation
