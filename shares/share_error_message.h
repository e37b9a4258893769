#pragma once
// The question the installer asks when a share cannot be created: error 4105 of the
// package's Error table with Abort, Retry and Ignore.
#include <windows.h>
#include <msi.h>

#include <string>

namespace pubdirs {

inline constexpr int kShareErrorTemplate = 4105;

// The reason for `code` as the system words it. Network codes (2100 to 2999) have their
// texts in the network message library rather than the system's; a code without any text
// is shown as "Fehler <code>", so that the message never lacks a reason.
std::wstring ErrorText(DWORD code);

// Shows error 4105 with [2] the folder, [3] the share name and [4] ErrorText(code).
// The installer's answer (IDABORT, IDRETRY, IDIGNORE, or 0 without a user interface);
// 0 as well when the message cannot be assembled.
int AskAboutFailedShare(MSIHANDLE install, const std::wstring& folder,
                        const std::wstring& shareName, DWORD code);

}  // namespace pubdirs
