#pragma once
// Late binding through IDispatch: objects created by ProgID or class identifier, properties
// and methods reached by name or by dispatch id, with positional, named and omitted
// arguments. Every call answers a value or the error number and description of its failure.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <string_view>
#include <vector>

#include "automation/call_error.h"
#include "automation/com_ptr.h"
#include "automation/variant.h"

namespace automation {

// Initialises COM for this thread (single-threaded apartment) for the owner's lifetime.
class ComApartment {
  public:
    ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();
    HRESULT Result() const { return result_; }

  private:
    HRESULT result_;
};

// One argument: positional when the name is empty.
struct Argument {
    std::wstring name;
    Variant value;
};

class Dispatch;

// Creates an object through CoCreateInstance (CLSCTX_SERVER). A text in braces is a class
// identifier, anything else a ProgID. A server that answers success without an object
// gives an empty Dispatch, not an error.
Result<Dispatch> CreateObject(std::wstring_view progIdOrClassId);

class Dispatch {
  public:
    Dispatch() = default;
    explicit Dispatch(ComPtr<IDispatch> object) : object_(std::move(object)) {}

    bool Empty() const { return !object_; }
    IDispatch* Get() const { return object_.Get(); }
    // Gives up this reference.
    void Reset() { object_.Reset(); }

    Result<Variant> Get(std::wstring_view property, std::vector<Argument> arguments = {}) const;
    Status Put(std::wstring_view property, Variant value) const;
    Result<Variant> Call(std::wstring_view method, std::vector<Argument> arguments = {}) const;
    // A property that holds an object; an empty or non-object value is an error.
    Result<Dispatch> ObjectProperty(std::wstring_view property) const;

    Result<Variant> GetId(DISPID id) const;
    Status PutId(DISPID id, Variant value) const;
    Result<Variant> CallId(DISPID id, std::vector<Argument> arguments = {}) const;

    // The general form: flags are DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT.
    // Named arguments need a member name; with a dispatch id only positional ones are sent.
    Result<Variant> Invoke(std::wstring_view member, WORD flags,
                           std::vector<Argument> arguments) const;
    Result<Variant> InvokeId(DISPID id, WORD flags, std::vector<Argument> arguments,
                             const std::vector<DISPID>& namedIds = {}) const;

  private:
    ComPtr<IDispatch> object_;
};

// The object a VARIANT holds (VT_DISPATCH or VT_UNKNOWN), or an error.
Result<Dispatch> ObjectOf(const Variant& value);

}  // namespace automation
