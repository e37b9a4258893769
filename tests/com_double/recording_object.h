#pragma once
// An IDispatch that plays one object of the configuration and writes every call to the log.
#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "double_config.h"

namespace com_double {

// What all objects of one created server share.
struct Session {
    Config config;
    std::mutex mutex;
    std::map<std::string, int> callCounts;    // "OBJECT.MEMBER" -> calls so far
    std::map<std::string, long> argumentIds;  // upper-case argument name -> id
    std::map<long, std::string> argumentNames;

    void Log(const std::string& line);
};

class RecordingObject final : public IDispatch {
  public:
    RecordingObject(std::shared_ptr<Session> session, std::string name);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

  private:
    std::string Describe(const DISPPARAMS& parameters);

    std::atomic<ULONG> references_{1};
    std::shared_ptr<Session> session_;
    std::string name_;
};

std::string Utf8(const wchar_t* text, size_t length);

}  // namespace com_double
