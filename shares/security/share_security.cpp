#include "security/share_security.h"

#include <aclapi.h>

#include "security/permission_entries.h"

namespace pubdirs {
namespace {

UniqueSid WellKnownSid(WellKnownTrustee which) {
    PSID sid = nullptr;
    BOOL made = FALSE;
    if (which == WellKnownTrustee::Everyone) {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        made = ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &sid);
    } else if (which == WellKnownTrustee::Administrators) {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        made = ::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                          DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &sid);
    }
    return UniqueSid(made ? sid : nullptr);
}

DWORD MergeEntry(const PermissionEntry& entry, UniqueAccessList& list) {
    UniqueSid sid = WellKnownSid(entry.wellKnown);
    const std::wstring name = sid ? AccountNameForSid(sid.get()) : entry.trustee;
    return MergeAccessEntry(name, sid.get(), entry.mask, list);
}

}  // namespace

DWORD MergeAccessEntry(const std::wstring& name, PSID sid, DWORD mask, UniqueAccessList& list) {
    // The system resolves an empty name to some unrelated SID (the builtin domain, under
    // wine) instead of refusing it: a well-known account is then named by its SID, and an
    // empty name without one names nobody.
    if (name.empty() && sid == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    std::wstring trustee = name;
    EXPLICIT_ACCESS_W access{};
    access.grfAccessPermissions = mask;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = NO_INHERITANCE;
    access.Trustee.pMultipleTrustee = nullptr;
    access.Trustee.MultipleTrusteeOperation = NO_MULTIPLE_TRUSTEE;
    access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    access.Trustee.TrusteeType = TRUSTEE_IS_GROUP;
    access.Trustee.ptstrName = trustee.data();
    if (trustee.empty() && sid != nullptr) {
        access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
        access.Trustee.ptstrName = static_cast<LPWSTR>(sid);
    }
    PACL merged = nullptr;
    const DWORD rc = ::SetEntriesInAclW(1, &access, list.get(), &merged);
    if (rc != ERROR_SUCCESS) {
        return rc;
    }
    list.reset(merged);
    return ERROR_SUCCESS;
}

DWORD BuildShareSecurity(const std::vector<std::wstring>& entries, ShareSecurity& security) {
    security.accessList.reset();
    for (const std::wstring& text : entries) {
        const std::optional<PermissionEntry> entry = ParsePermissionEntry(text);
        if (!entry) {
            return ERROR_INVALID_PARAMETER;
        }
        if (const DWORD rc = MergeEntry(*entry, security.accessList); rc != ERROR_SUCCESS) {
            return rc;
        }
    }
    if (!::InitializeSecurityDescriptor(&security.descriptor, SECURITY_DESCRIPTOR_REVISION)) {
        return ::GetLastError();
    }
    if (!::SetSecurityDescriptorDacl(&security.descriptor, TRUE, security.accessList.get(),
                                     FALSE)) {
        return ::GetLastError();
    }
    return ERROR_SUCCESS;
}

std::wstring AccountNameForSid(PSID sid) {
    DWORD nameLength = 0;
    DWORD domainLength = 0;
    SID_NAME_USE use{};
    ::LookupAccountSidW(nullptr, sid, nullptr, &nameLength, nullptr, &domainLength, &use);
    if (nameLength == 0) {
        return {};
    }
    std::wstring name(nameLength, L'\0');
    std::wstring domain(domainLength + 1, L'\0');
    domainLength = static_cast<DWORD>(domain.size());
    if (!::LookupAccountSidW(nullptr, sid, name.data(), &nameLength, domain.data(), &domainLength,
                             &use)) {
        return {};
    }
    name.resize(nameLength);  // on success the length excludes the terminator
    return name;
}

}  // namespace pubdirs
