#pragma once
// Serialises hand-overs: a secondary instance takes the lock before it writes the argument
// area, and the primary's message thread gives it back once it has copied the area. A
// semaphore of one, because the process that frees it is not the one that took it.
#include <windows.h>

#include <string>

#include "support/unique_handle.h"

namespace launcher {

// How long a secondary instance waits for the primary to publish its message thread and for
// the lock, together.
inline constexpr DWORD kHandOverWaitMilliseconds = 10000;

// Opens the lock of the launcher with this base name, creating it free, with this security,
// when it does not exist. wasThere tells whether it existed already.
support::UniqueHandle OpenHandOverLock(const std::wstring& baseName,
                                       SECURITY_ATTRIBUTES* security = nullptr,
                                       bool* wasThere = nullptr);

// Frees the lock; harmless when it is free already.
void ReleaseHandOverLock(HANDLE lock);

// The lock taken by a secondary instance. It is given back when the holder ends, unless it was
// handed to the primary, which then gives it back after copying the area.
class HeldHandOverLock {
  public:
    // Waits up to timeoutMilliseconds; Held() tells whether the lock was got.
    HeldHandOverLock(HANDLE lock, DWORD timeoutMilliseconds);
    HeldHandOverLock(const HeldHandOverLock&) = delete;
    HeldHandOverLock& operator=(const HeldHandOverLock&) = delete;
    ~HeldHandOverLock();

    bool Held() const { return lock_ != nullptr; }
    void HandToPrimary() { lock_ = nullptr; }

  private:
    HANDLE lock_ = nullptr;
};

}  // namespace launcher
