#include "scoped_environment.h"

#include <windows.h>

#include <vector>

namespace testing_support {

ScopedEnvironment::ScopedEnvironment(const wchar_t* name, const wchar_t* value) : name_(name) {
    // The largest value the environment can hold.
    std::vector<wchar_t> buffer(32768);
    const DWORD length =
        ::GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    hadValue_ = length > 0 || ::GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    old_.assign(buffer.data(), length);
    ::SetEnvironmentVariableW(name, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    ::SetEnvironmentVariableW(name_.c_str(), hadValue_ ? old_.c_str() : nullptr);
}

}  // namespace testing_support
