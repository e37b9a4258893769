#pragma once
// The single-instance objects (block, events, lock) belong to the user who runs the launcher.
// Their names can be computed by anyone, so a later start trusts an existing block only when
// this user owns it: another user's process could otherwise take every start's arguments.
#include <windows.h>

#include "support/unique_handle.h"

namespace launcher {

class UserOnlySecurity {
  public:
    // Owner and only grantee: the process's user. Without a descriptor (the token cannot be
    // read) the objects get the default security.
    UserOnlySecurity();
    UserOnlySecurity(const UserOnlySecurity&) = delete;
    UserOnlySecurity& operator=(const UserOnlySecurity&) = delete;

    // For the Create functions; null without a descriptor.
    SECURITY_ATTRIBUTES* Attributes() { return descriptor_ ? &attributes_ : nullptr; }

  private:
    support::UniqueLocal<void> descriptor_;
    SECURITY_ATTRIBUTES attributes_{};
};

// True when the process's user owns the kernel object.
bool OwnedByThisUser(HANDLE object);

}  // namespace launcher
