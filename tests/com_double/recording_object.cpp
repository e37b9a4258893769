#include "recording_object.h"

#include <oleauto.h>

#include <cstdio>
#include <vector>

namespace com_double {
namespace {

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      wide.data(), static_cast<int>(wide.size())));
    return wide;
}

std::string Hex(long value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(value));
    return buffer;
}

std::string FormatValue(const VARIANT& value) {
    switch (value.vt) {
        case VT_EMPTY:
            return "empty";
        case VT_NULL:
            return "null";
        case VT_I2:
            return "i2:" + std::to_string(value.iVal);
        case VT_I4:
            return "i4:" + std::to_string(value.lVal);
        case VT_BOOL:
            return value.boolVal == VARIANT_TRUE    ? "bool:true"
                   : value.boolVal == VARIANT_FALSE ? "bool:false"
                                                    : "bool:" + std::to_string(value.boolVal);
        case VT_BSTR:
            return "bstr:" + Utf8(value.bstrVal, ::SysStringLen(value.bstrVal));
        case VT_ERROR:
            return "error:" + Hex(value.scode);
        case VT_DISPATCH:
            return value.pdispVal == nullptr ? "dispatch:none" : "dispatch";
        default:
            return "vt:" + std::to_string(value.vt);
    }
}

std::string FormatFlags(WORD flags) {
    std::string text;
    const std::pair<WORD, const char*> names[] = {{DISPATCH_METHOD, "call"},
                                                  {DISPATCH_PROPERTYGET, "get"},
                                                  {DISPATCH_PROPERTYPUT, "put"},
                                                  {DISPATCH_PROPERTYPUTREF, "putref"}};
    for (const auto& [flag, name] : names) {
        if ((flags & flag) != 0) {
            text += text.empty() ? name : std::string("|") + name;
        }
    }
    return text.empty() ? "flags:0" : text;
}

HRESULT Fill(const std::shared_ptr<Session>& session, const Value& value, VARIANT* result) {
    if (result == nullptr) {
        return S_OK;
    }
    ::VariantInit(result);
    switch (value.kind) {
        case Value::Kind::Empty:
            break;
        case Value::Kind::Object:
            result->vt = VT_DISPATCH;
            result->pdispVal = new RecordingObject(session, value.text);
            break;
        case Value::Kind::NoObject:
            result->vt = VT_DISPATCH;
            result->pdispVal = nullptr;
            break;
        case Value::Kind::Bool:
            result->vt = VT_BOOL;
            result->boolVal = value.number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case Value::Kind::I2:
            result->vt = VT_I2;
            result->iVal = static_cast<SHORT>(value.number);
            break;
        case Value::Kind::I4:
            result->vt = VT_I4;
            result->lVal = value.number;
            break;
        case Value::Kind::String:
            result->vt = VT_BSTR;
            result->bstrVal = ::SysAllocString(Wide(value.text).c_str());
            break;
    }
    return S_OK;
}

}  // namespace

std::string Utf8(const wchar_t* text, size_t length) {
    if (text == nullptr || length == 0) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                           nullptr, nullptr);
    std::string result(size, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), result.data(), size, nullptr,
                          nullptr);
    return result;
}

void Session::Log(const std::string& line) {
    // Opened for each line, so that the log is complete whenever the client ends.
    const std::wstring path = Wide(config.logPath);
    HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string text = line + "\r\n";
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

RecordingObject::RecordingObject(std::shared_ptr<Session> session, std::string name)
    : session_(std::move(session)), name_(std::move(name)) {}

HRESULT RecordingObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG RecordingObject::AddRef() {
    return ++references_;
}

ULONG RecordingObject::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        session_->Log(name_ + " released");
        delete this;
    }
    return left;
}

HRESULT RecordingObject::GetTypeInfoCount(UINT* count) {
    if (count != nullptr) {
        *count = 0;
    }
    return S_OK;
}

HRESULT RecordingObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return DISP_E_BADINDEX;
}

HRESULT RecordingObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (count == 0 || names == nullptr || ids == nullptr) {
        return E_INVALIDARG;
    }
    const std::string member = Utf8(names[0], wcslen(names[0]));
    const Member* found = FindMember(session_->config, name_, member);
    ids[0] = found != nullptr ? found->id : DISPID_UNKNOWN;
    std::lock_guard lock(session_->mutex);
    for (UINT i = 1; i < count; ++i) {
        const std::string argument = Utf8(names[i], wcslen(names[i]));
        const std::string upper = UpperAscii(argument);
        auto [it, added] = session_->argumentIds.try_emplace(
            upper, 2000 + static_cast<long>(session_->argumentIds.size()));
        if (added) {
            session_->argumentNames[it->second] = argument;
        }
        ids[i] = it->second;
    }
    if (found == nullptr) {
        session_->Log(name_ + "." + member + " unknown");
        return DISP_E_UNKNOWNNAME;
    }
    return S_OK;
}

std::string RecordingObject::Describe(const DISPPARAMS& parameters) {
    std::string text;
    // Positional arguments in the caller's order (rgvarg holds them last to first).
    for (UINT i = parameters.cArgs; i > parameters.cNamedArgs; --i) {
        text += ' ';
        text += FormatValue(parameters.rgvarg[i - 1]);
    }
    std::string putValue;
    for (UINT i = 0; i < parameters.cNamedArgs; ++i) {
        const DISPID id = parameters.rgdispidNamedArgs[i];
        if (id == DISPID_PROPERTYPUT) {
            putValue = ' ';
            putValue += FormatValue(parameters.rgvarg[i]);
            continue;
        }
        const auto name = session_->argumentNames.find(id);
        text += ' ';
        if (name != session_->argumentNames.end()) {
            text += name->second;
        } else {
            text += '#';
            text += std::to_string(id);
        }
        text += '=';
        text += FormatValue(parameters.rgvarg[i]);
    }
    return text + putValue;
}

HRESULT RecordingObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                VARIANT* result, EXCEPINFO* exception, UINT*) {
    const Member* member = FindMember(session_->config, name_, static_cast<long>(id));
    std::unique_lock lock(session_->mutex);
    const std::string arguments = parameters != nullptr ? Describe(*parameters) : std::string();
    if (member == nullptr) {
        session_->Log(name_ + ".#" + std::to_string(id) + " unknown " + FormatFlags(flags) +
                      arguments);
        return DISP_E_MEMBERNOTFOUND;
    }
    session_->Log(name_ + "." + member->name + " " + FormatFlags(flags) + arguments);
    const int call = ++session_->callCounts[UpperAscii(name_ + "." + member->name)];
    lock.unlock();

    if (member->failure && (member->failure->onlyCall == 0 || member->failure->onlyCall == call)) {
        const Failure& failure = *member->failure;
        if (failure.kind == Failure::Kind::HResult) {
            return failure.code;
        }
        if (exception != nullptr) {
            *exception = EXCEPINFO{};
            exception->bstrSource = ::SysAllocString(Wide(name_).c_str());
            if (!failure.description.empty()) {
                exception->bstrDescription = ::SysAllocString(Wide(failure.description).c_str());
            }
            if (failure.kind == Failure::Kind::WCode) {
                exception->wCode = static_cast<WORD>(failure.code);
            } else {
                exception->scode = failure.code;
            }
        }
        return DISP_E_EXCEPTION;
    }
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
        return S_OK;
    }
    return Fill(session_, member->value, result);
}

}  // namespace com_double
