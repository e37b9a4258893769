#include "share_actions.h"

#include "action_data.h"
#include "installer_services.h"

namespace pubdirs {

// Share creation and its bookkeeping come next; until then the deferred actions accept
// well-formed data, change nothing and report success, and refuse malformed data.

UINT CreateScheduledShare(MSIHANDLE install) {
    const auto data = ParseShareActionData(
        ReadInstallerProperty(install, L"CustomActionData").value_or(std::wstring()));
    return data ? ERROR_SUCCESS : ERROR_INSTALL_FAILURE;
}

UINT RemoveScheduledShare(MSIHANDLE install) {
    const auto reference = ParseShareReference(
        ReadInstallerProperty(install, L"CustomActionData").value_or(std::wstring()));
    return reference ? ERROR_SUCCESS : ERROR_INSTALL_FAILURE;
}

}  // namespace pubdirs
