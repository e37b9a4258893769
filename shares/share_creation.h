#pragma once
// Network shares on the local machine, as the installation creates and removes them.
#include <windows.h>

#include <string>

namespace pubdirs {

struct ShareRequest {
    std::wstring path;  // an existing folder, without a trailing "\" unless a drive root
    std::wstring name;
    std::wstring remark;
    std::wstring userLimit;    // decimal text; empty means no limit
    std::wstring permissions;  // "trustee/mask|..." (see security/permission_entries.h)
};

// True for an existing folder; a drive root counts as existing even where the search
// cannot find it.
bool FolderExists(const std::wstring& path);

// Creates the share. A share of that name that already exists is replaced only when
// `replaceAllowed`; otherwise the answer is 2118 (NERR_DuplicateShare). 0 on success,
// else the code of the step that failed: a permission entry that names nobody gives
// ERROR_INVALID_PARAMETER, a trustee the system does not know ERROR_NONE_MAPPED, the
// share service its own codes.
DWORD CreateShare(const ShareRequest& request, bool replaceAllowed);

// 0 when the permissions text gives a security descriptor, else the code CreateShare
// would fail with for it. Nothing is shared or changed.
DWORD CheckSharePermissions(const std::wstring& permissions);

// Deletes the share of that name on the local machine; the share service's answer.
DWORD DeleteShare(const std::wstring& name);

}  // namespace pubdirs
