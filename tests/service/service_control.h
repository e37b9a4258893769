#pragma once
// One test service in the service control manager of the test prefix: created for a program,
// started with parameters, sent controls, watched, and removed again with its process.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace testing_support {

class TestService {
  public:
    // Creates a demand-start own-process service that runs program. A failure fails the test.
    TestService(const std::wstring& name, const std::wstring& program);
    // Stops the service, ends a process it left behind, and deletes it.
    ~TestService();
    TestService(const TestService&) = delete;
    TestService& operator=(const TestService&) = delete;

    const std::wstring& Name() const { return name_; }
    SC_HANDLE Handle() const { return service_; }

    bool Start(const std::vector<std::wstring>& parameters = {});
    // ControlService with the code: 0, or the manager's error code when it refused.
    DWORD Control(DWORD control);
    SERVICE_STATUS_PROCESS Query() const;
    // Polls until the state is reached; false on timeout.
    bool WaitFor(DWORD state, std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Waits until the process that last ran the service has ended; false on timeout.
    bool WaitForProcessEnd(std::chrono::milliseconds timeout = std::chrono::seconds(20));

  private:
    std::wstring name_;
    SC_HANDLE manager_ = nullptr;
    SC_HANDLE service_ = nullptr;
    mutable DWORD lastProcessId_ = 0;
};

// A service name of its own for each test and process.
std::wstring UniqueServiceName(const std::wstring& stem);

}  // namespace testing_support
