#pragma once
// An environment variable set for the life of the object, then restored.
#include <string>

namespace testing_support {

class ScopedEnvironment {
  public:
    // A null value removes the variable.
    ScopedEnvironment(const wchar_t* name, const wchar_t* value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::wstring name_;
    std::wstring old_;
    bool hadValue_ = false;
};

}  // namespace testing_support
