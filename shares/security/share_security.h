#pragma once
// The security descriptor that a new share carries, built from the package's permission
// entries.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "support/unique_handle.h"

namespace pubdirs {

// A SID from AllocateAndInitializeSid.
using UniqueSid = support::UniqueResource<std::remove_pointer_t<PSID>, &::FreeSid>;
// An access list from SetEntriesInAclW.
using UniqueAccessList = support::UniqueLocal<ACL>;

// An absolute descriptor together with the access list it points to; both live exactly
// as long as this object. Moving keeps the descriptor valid (the list does not move).
struct ShareSecurity {
    SECURITY_DESCRIPTOR descriptor{};
    UniqueAccessList accessList;  // stays null for an empty permission list: full access

    PSECURITY_DESCRIPTOR Descriptor() { return &descriptor; }
};

// Turns permission entries ("trustee/mask", the permissions text split at "|") into a
// descriptor whose access list grants each trustee its mask; a later entry for the same
// trustee replaces an earlier one. No entries give a present but null access list.
// Returns 0 or a Windows error code: ERROR_INVALID_PARAMETER for an entry without "/"
// or with an empty trustee (see ParsePermissionEntry), otherwise the code of the failing
// system call, for example ERROR_NONE_MAPPED for a trustee the system does not know.
DWORD BuildShareSecurity(const std::vector<std::wstring>& entries, ShareSecurity& security);

// One step of BuildShareSecurity: grants `mask` to the account `name` (SET_ACCESS, so it
// replaces what the list granted that account before). A well-known account whose local
// name the system could not report (empty name) is named by its SID instead; an empty
// name without a SID gives ERROR_INVALID_PARAMETER.
DWORD MergeAccessEntry(const std::wstring& name, PSID sid, DWORD mask, UniqueAccessList& list);

// The local name of the account with this SID, without domain; empty when unknown.
std::wstring AccountNameForSid(PSID sid);

}  // namespace pubdirs
