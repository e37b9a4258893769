#pragma once
// The one lock of our programs, for std::lock_guard and std::shared_lock. An SRWLOCK cannot
// fail and needs no clean-up, so nothing throws and no thread library is linked in (the
// standard mutexes bring one, with their exceptions, at about 100 KiB).
#include <windows.h>

namespace support {

class SlimLock {
  public:
    SlimLock() = default;
    SlimLock(const SlimLock&) = delete;
    SlimLock& operator=(const SlimLock&) = delete;

    void lock() { ::AcquireSRWLockExclusive(&lock_); }
    void unlock() { ::ReleaseSRWLockExclusive(&lock_); }
    void lock_shared() { ::AcquireSRWLockShared(&lock_); }
    void unlock_shared() { ::ReleaseSRWLockShared(&lock_); }

  private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};

}  // namespace support
