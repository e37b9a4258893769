#include "service_control.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/unique_handle.h"

namespace testing_support {

TestService::TestService(const std::wstring& name, const std::wstring& program) : name_(name) {
    manager_ = ::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    EXPECT_NE(manager_, nullptr) << ::GetLastError();
    if (manager_ == nullptr) {
        return;
    }
    const std::wstring binaryPath = L"\"" + program + L"\"";
    service_ =
        ::CreateServiceW(manager_, name.c_str(), name.c_str(), SERVICE_ALL_ACCESS,
                         SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                         binaryPath.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(service_, nullptr) << "CreateServiceW " << ::GetLastError();
}

TestService::~TestService() {
    if (service_ != nullptr) {
        // The manager takes no stop while one is pending.
        if (Query().dwCurrentState == SERVICE_RUNNING) {
            SERVICE_STATUS status{};
            ::ControlService(service_, SERVICE_CONTROL_STOP, &status);
            WaitFor(SERVICE_STOPPED, std::chrono::seconds(5));
        }
        // A process left behind (a stop the application ignored) is ended, so that the next
        // test starts clean.
        Query();
        const support::UniqueHandle process(
            ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, lastProcessId_));
        if (process && ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(process.get(), 1);
            ::WaitForSingleObject(process.get(), 5000);
        }
        ::DeleteService(service_);
        ::CloseServiceHandle(service_);
    }
    if (manager_ != nullptr) {
        ::CloseServiceHandle(manager_);
    }
}

bool TestService::Start(const std::vector<std::wstring>& parameters) {
    std::vector<const wchar_t*> pointers;
    for (const std::wstring& parameter : parameters) {
        pointers.push_back(parameter.c_str());
    }
    const bool started = ::StartServiceW(service_, static_cast<DWORD>(pointers.size()),
                                         pointers.empty() ? nullptr : pointers.data()) != FALSE;
    EXPECT_TRUE(started) << "StartServiceW " << ::GetLastError();
    Query();
    return started;
}

DWORD TestService::Control(DWORD control) {
    SERVICE_STATUS status{};
    return ::ControlService(service_, control, &status) ? 0 : ::GetLastError();
}

SERVICE_STATUS_PROCESS TestService::Query() const {
    SERVICE_STATUS_PROCESS status{};
    DWORD needed = 0;
    if (::QueryServiceStatusEx(service_, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status),
                               sizeof status, &needed) &&
        status.dwProcessId != 0) {
        lastProcessId_ = status.dwProcessId;
    }
    return status;
}

bool TestService::WaitFor(DWORD state, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (Query().dwCurrentState != state) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

bool TestService::WaitForProcessEnd(std::chrono::milliseconds timeout) {
    Query();
    const support::UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, lastProcessId_));
    return !process || ::WaitForSingleObject(process.get(), static_cast<DWORD>(timeout.count())) ==
                           WAIT_OBJECT_0;
}

std::wstring UniqueServiceName(const std::wstring& stem) {
    static std::atomic<int> counter{0};
    return L"ts_" + stem + L"_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
           std::to_wstring(++counter);
}

}  // namespace testing_support
