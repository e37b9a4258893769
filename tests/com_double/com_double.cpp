// The server entry points: the class a client asks for names its configuration through the
// value "Config" beside its InprocServer32 path.
#include <windows.h>
#include <objbase.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "recording_object.h"

namespace com_double {
namespace {

std::wstring ConfigPath(REFCLSID classId) {
    wchar_t guid[64] = {};
    ::StringFromGUID2(classId, guid, 64);
    const std::wstring key = std::wstring(L"CLSID\\") + guid + L"\\InprocServer32";
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), L"Config", RRF_RT_REG_SZ, nullptr, nullptr,
                       &size) != ERROR_SUCCESS) {
        return {};
    }
    std::wstring path(size / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), L"Config", RRF_RT_REG_SZ, nullptr,
                       path.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    path.resize(wcsnlen(path.c_str(), path.size()));
    return path;
}

class Factory final : public IClassFactory {
  public:
    explicit Factory(std::shared_ptr<Session> session) : session_(std::move(session)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        const Config& config = session_->config;
        switch (config.creation) {
            case Config::Creation::Fail:
                session_->Log("create failed");
                return config.createError;
            case Config::Creation::NoObject:
                session_->Log("create none");
                return S_OK;
            case Config::Creation::Object:
                break;
        }
        session_->Log("create " + config.root);
        auto* created = new RecordingObject(session_, config.root);
        const HRESULT hr = created->QueryInterface(iid, object);
        created->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

  private:
    std::atomic<ULONG> references_{1};
    std::shared_ptr<Session> session_;
};

}  // namespace
}  // namespace com_double

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
    using namespace com_double;
    *object = nullptr;
    const std::wstring path = ConfigPath(classId);
    std::ifstream file(path.c_str(), std::ios::binary);
    if (path.empty() || !file) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    std::ostringstream text;
    text << file.rdbuf();
    auto session = std::make_shared<Session>();
    session->config = ParseConfig(text.str(), Utf8(path.c_str(), path.size()) + ".log");
    for (const auto& problem : session->config.problems) {
        session->Log("bad config line: " + problem);
    }
    auto* factory = new Factory(std::move(session));
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return S_FALSE;
}
