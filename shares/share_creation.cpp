#include "share_creation.h"

#include <lm.h>

#include <memory>

#include "security/permission_entries.h"
#include "security/share_security.h"
#include "share_request.h"
#include "support/unique_handle.h"

namespace pubdirs {
namespace {

using NetBuffer = support::UniqueResource<BYTE, &::NetApiBufferFree>;

// The share of that name as the share service describes it (level 502); null when there is
// none.
NetBuffer CurrentShare(const std::wstring& name) {
    BYTE* buffer = nullptr;
    const NET_API_STATUS rc =
        ::NetShareGetInfo(nullptr, const_cast<wchar_t*>(name.c_str()), 502, &buffer);
    NetBuffer owned(buffer);
    if (rc != NERR_Success) {
        owned.reset();
    }
    return owned;
}

}  // namespace

bool FolderExists(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const support::UniqueFindHandle search(
        support::ValidOrNull(::FindFirstFileW(path.c_str(), &found)));
    if (!search) {
        return IsDriveRoot(path);
    }
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

DWORD CheckSharePermissions(const std::wstring& permissions) {
    ShareSecurity security;
    return BuildShareSecurity(SplitPermissionText(permissions), security);
}

DWORD DeleteShare(const std::wstring& name) {
    return ::NetShareDel(nullptr, const_cast<wchar_t*>(name.c_str()), 0);
}

DWORD CreateShare(const ShareRequest& request, bool replaceAllowed) {
    // Kept until the replacement is in place, to put the share back if it cannot be.
    const NetBuffer current = CurrentShare(request.name);
    const bool exists = current != nullptr;
    if (exists && !replaceAllowed) {
        return NERR_DuplicateShare;
    }
    // Lives until NetShareAdd has copied the descriptor; owns the access list.
    ShareSecurity security;
    if (const DWORD rc = BuildShareSecurity(SplitPermissionText(request.permissions), security);
        rc != ERROR_SUCCESS) {
        return rc;
    }
    std::wstring name = request.name;
    std::wstring remark = request.remark;
    std::wstring path = request.path;
    SHARE_INFO_502 share{};
    share.shi502_netname = name.data();
    share.shi502_type = STYPE_DISKTREE;
    share.shi502_remark = remark.data();
    share.shi502_permissions = ACCESS_ALL;
    share.shi502_max_uses = ParseUserLimit(request.userLimit);
    share.shi502_current_uses = 0;
    share.shi502_path = path.data();
    share.shi502_passwd = nullptr;
    share.shi502_reserved = 0;
    share.shi502_security_descriptor = security.Descriptor();
    if (exists) {
        if (const DWORD rc = DeleteShare(request.name); rc != NERR_Success) {
            return rc;
        }
    }
    const NET_API_STATUS added =
        ::NetShareAdd(nullptr, 502, reinterpret_cast<BYTE*>(&share), nullptr);
    if (added != NERR_Success && exists) {
        // The share replaced is one that other installations of the family use: it comes
        // back as it was rather than vanish with the failed replacement.
        ::NetShareAdd(nullptr, 502, current.get(), nullptr);
    }
    return added;
}

}  // namespace pubdirs
