#include "automation/dispatch.h"

#include <objbase.h>
#include <oleauto.h>

namespace automation {
namespace {

// E_POINTER's text is what a caller sees when a property holds no object.
CallError NoObject() {
    return ErrorFromHresult(E_POINTER);
}

}  // namespace

ComApartment::ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

ComApartment::~ComApartment() {
    if (SUCCEEDED(result_)) {
        ::CoUninitialize();
    }
}

Result<Dispatch> CreateObject(std::wstring_view progIdOrClassId) {
    const std::wstring name(progIdOrClassId);
    CLSID classId{};
    const HRESULT found = !name.empty() && name.front() == L'{'
                              ? ::CLSIDFromString(name.c_str(), &classId)
                              : ::CLSIDFromProgID(name.c_str(), &classId);
    if (FAILED(found)) {
        return ErrorFromHresult(found);
    }
    ComPtr<IDispatch> object;
    const HRESULT created = ::CoCreateInstance(classId, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                               reinterpret_cast<void**>(object.Receive()));
    if (FAILED(created)) {
        return ErrorFromHresult(created);
    }
    return Dispatch(std::move(object));
}

Result<Variant> Dispatch::Get(std::wstring_view property, std::vector<Argument> arguments) const {
    return Invoke(property, DISPATCH_PROPERTYGET, std::move(arguments));
}

Status Dispatch::Put(std::wstring_view property, Variant value) const {
    std::vector<Argument> arguments;
    arguments.push_back(Argument{L"", std::move(value)});
    auto result = Invoke(property, DISPATCH_PROPERTYPUT, std::move(arguments));
    if (!result.Ok()) {
        return result.Error();
    }
    return Done{};
}

Result<Variant> Dispatch::Call(std::wstring_view method, std::vector<Argument> arguments) const {
    return Invoke(method, DISPATCH_METHOD, std::move(arguments));
}

Result<Dispatch> Dispatch::ObjectProperty(std::wstring_view property) const {
    auto value = Get(property);
    if (!value.Ok()) {
        return value.Error();
    }
    return ObjectOf(value.Value());
}

Result<Variant> Dispatch::GetId(DISPID id) const {
    return InvokeId(id, DISPATCH_PROPERTYGET, {});
}

Status Dispatch::PutId(DISPID id, Variant value) const {
    std::vector<Argument> arguments;
    arguments.push_back(Argument{L"", std::move(value)});
    auto result = InvokeId(id, DISPATCH_PROPERTYPUT, std::move(arguments));
    if (!result.Ok()) {
        return result.Error();
    }
    return Done{};
}

Result<Variant> Dispatch::CallId(DISPID id, std::vector<Argument> arguments) const {
    return InvokeId(id, DISPATCH_METHOD, std::move(arguments));
}

Result<Variant> Dispatch::Invoke(std::wstring_view member, WORD flags,
                                 std::vector<Argument> arguments) const {
    if (!object_) {
        return NoObject();
    }
    // The member first, then the names of the named arguments, resolved in one call.
    std::vector<std::wstring> names{std::wstring(member)};
    for (const auto& argument : arguments) {
        if (!argument.name.empty()) {
            names.push_back(argument.name);
        }
    }
    std::vector<LPOLESTR> pointers;
    for (auto& name : names) {
        pointers.push_back(name.data());
    }
    std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
    const HRESULT resolved =
        object_->GetIDsOfNames(IID_NULL, pointers.data(), static_cast<UINT>(pointers.size()),
                               LOCALE_USER_DEFAULT, ids.data());
    if (FAILED(resolved)) {
        return ErrorFromHresult(resolved);
    }
    return InvokeId(ids[0], flags, std::move(arguments),
                    std::vector<DISPID>(ids.begin() + 1, ids.end()));
}

Result<Variant> Dispatch::InvokeId(DISPID id, WORD flags, std::vector<Argument> arguments,
                                   const std::vector<DISPID>& namedIds) const {
    if (!object_) {
        return NoObject();
    }
    // IDispatch wants named arguments first (in rgvarg order) and positional ones after
    // them in reverse. The value of a property put is the one named DISPATCH_PROPERTYPUT.
    std::vector<VARIANTARG> slots;
    std::vector<DISPID> slotIds;
    size_t nextName = 0;
    for (const auto& argument : arguments) {
        if (!argument.name.empty()) {
            slots.push_back(argument.value.Get());
            slotIds.push_back(nextName < namedIds.size() ? namedIds[nextName++] : DISPID_UNKNOWN);
        }
    }
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    std::vector<VARIANTARG> positional;
    for (const auto& argument : arguments) {
        if (argument.name.empty()) {
            positional.push_back(argument.value.Get());
        }
    }
    if (put && !positional.empty()) {
        slots.insert(slots.begin(), positional.back());
        slotIds.insert(slotIds.begin(), DISPID_PROPERTYPUT);
        positional.pop_back();
    }
    for (auto it = positional.rbegin(); it != positional.rend(); ++it) {
        slots.push_back(*it);
    }

    // The slots are shallow copies of the arguments, which keep ownership.
    DISPPARAMS parameters{};
    parameters.rgvarg = slots.empty() ? nullptr : slots.data();
    parameters.cArgs = static_cast<UINT>(slots.size());
    parameters.rgdispidNamedArgs = slotIds.empty() ? nullptr : slotIds.data();
    parameters.cNamedArgs = static_cast<UINT>(slotIds.size());

    Variant result;
    EXCEPINFO exception{};
    UINT argumentError = 0;
    const HRESULT hr =
        object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                        put ? nullptr : result.Receive(), &exception, &argumentError);
    if (hr == DISP_E_EXCEPTION) {
        return ErrorFromException(exception, hr);
    }
    if (FAILED(hr)) {
        return ErrorFromHresult(hr);
    }
    return result;
}

Result<Dispatch> ObjectOf(const Variant& value) {
    const VARIANT& raw = value.Get();
    IUnknown* unknown = nullptr;
    if (raw.vt == VT_DISPATCH) {
        unknown = raw.pdispVal;
    } else if (raw.vt == VT_UNKNOWN) {
        unknown = raw.punkVal;
    }
    if (unknown == nullptr) {
        return NoObject();
    }
    ComPtr<IDispatch> object;
    const HRESULT hr =
        unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object.Receive()));
    if (FAILED(hr)) {
        return ErrorFromHresult(hr);
    }
    return Dispatch(std::move(object));
}

}  // namespace automation
