#include "single_instance/hand_over_lock.h"

#include "single_instance/instance_block.h"

namespace launcher {

support::UniqueHandle OpenHandOverLock(const std::wstring& baseName, SECURITY_ATTRIBUTES* security,
                                       bool* wasThere) {
    support::UniqueHandle lock(
        ::CreateSemaphoreW(security, 1, 1, HandOverLockName(baseName).c_str()));
    if (wasThere != nullptr) {
        *wasThere = lock && ::GetLastError() == ERROR_ALREADY_EXISTS;
    }
    return lock;
}

void ReleaseHandOverLock(HANDLE lock) {
    // Above its maximum of one the count stays as it is: a peer that does not take the lock
    // still has its hand-overs answered.
    ::ReleaseSemaphore(lock, 1, nullptr);
}

HeldHandOverLock::HeldHandOverLock(HANDLE lock, DWORD timeoutMilliseconds) {
    if (lock != nullptr && ::WaitForSingleObject(lock, timeoutMilliseconds) == WAIT_OBJECT_0) {
        lock_ = lock;
    }
}

HeldHandOverLock::~HeldHandOverLock() {
    if (lock_ != nullptr) {
        ReleaseHandOverLock(lock_);
    }
}

}  // namespace launcher
