#include "share_actions.h"

#include <msiquery.h>

#include <algorithm>

#include "action_data.h"
#include "bookkeeping/product_record.h"
#include "bookkeeping/share_bookkeeping_key.h"
#include "installer_services.h"
#include "share_creation.h"
#include "share_error_message.h"
#include "share_request.h"

namespace pubdirs {
namespace {

// The folder as the share gets it. Directory properties end with "\"; the folder is shared
// without it, a drive root as it is. Nothing when there is no such folder.
std::optional<std::wstring> ExistingFolder(std::wstring path) {
    // An empty path (the directory property could not be read) names no folder; it is
    // treated like a folder that does not exist.
    if (path.empty()) {
        return std::nullopt;
    }
    if (!FolderExists(path) && path.back() == L'\\') {
        path.pop_back();
    }
    if (path.empty() || !FolderExists(path)) {
        return std::nullopt;
    }
    return path;
}

enum class Outcome { Created, NotCreated, Aborted };

// Creates the share, and when that fails does what the package's Options ask for.
Outcome CreateWithOptions(MSIHANDLE install, const ShareRequest& request, bool counted,
                          FailureOption option) {
    for (;;) {
        const DWORD rc = CreateShare(request, counted);
        if (rc == ERROR_SUCCESS) {
            return Outcome::Created;
        }
        if (rc == ERROR_PATH_NOT_FOUND) {
            return Outcome::NotCreated;
        }
        switch (option) {
            case FailureOption::Ask:
                switch (AskAboutFailedShare(install, request.path, request.name, rc)) {
                    case IDABORT:
                        return Outcome::Aborted;
                    case IDRETRY:
                        continue;  // the answer holds for this one question only
                    default:
                        return Outcome::NotCreated;
                }
            case FailureOption::Replace:
                // Whatever share holds the name gives way, unless the permissions name
                // nobody: then the second attempt would fail as well, and the share that
                // held the name would be lost for nothing.
                if (CheckSharePermissions(request.permissions) != ERROR_SUCCESS) {
                    return Outcome::NotCreated;
                }
                DeleteShare(request.name);
                // A share re-created for a family that had counted it is counted again, or
                // the other product's removal would later take away a share still in use.
                return CreateShare(request, counted) == ERROR_SUCCESS ? Outcome::Created
                                                                      : Outcome::NotCreated;
            case FailureOption::GiveUp:
                return Outcome::NotCreated;
        }
        return Outcome::NotCreated;
    }
}

// The product whose installation or removal runs: one of the few properties that the
// installer hands to deferred and rollback actions. Empty when it cannot be read.
std::wstring RunningProduct(MSIHANDLE install) {
    return ReadInstallerProperty(install, L"ProductCode").value_or(std::wstring());
}

bool Lists(const std::vector<std::wstring>& shareIds, const std::wstring& shareId) {
    return std::find(shareIds.begin(), shareIds.end(), shareId) != shareIds.end();
}

UINT CreateAndCount(MSIHANDLE install, const ShareActionData& data, const ShareRequest& request,
                    ShareBookkeepingKey& bookkeeping) {
    DWORD count = 0;
    const bool counted = bookkeeping.ReadCount(data.shareId, count);
    const std::wstring product = RunningProduct(install);

    switch (CreateWithOptions(install, request, counted, ParseFailureOption(data.options))) {
        case Outcome::Aborted:
            return ERROR_INSTALL_FAILURE;
        case Outcome::NotCreated:
            return ERROR_SUCCESS;
        case Outcome::Created:
            break;
    }
    // Registry failures do not undo a share that exists; they are not reported.
    if (!counted) {
        // Nobody counts the share: a record that still lists it is stale.
        bookkeeping.ForgetShareId(data.shareId);
    }
    std::vector<std::wstring> record;
    if (!product.empty()) {
        record = bookkeeping.ReadProductRecord(product);
    }
    // A product counts a share once, however often its installation runs again.
    const bool countedByProduct = counted && Lists(record, data.shareId);
    if (!countedByProduct) {
        bookkeeping.WriteCount(data.shareId, count + 1);
    }
    bookkeeping.WriteShareName(data.shareId, request.name);
    // Recorded after the count, so that a record never claims a count that was not raised.
    if (!product.empty() && !countedByProduct) {
        record.push_back(data.shareId);
        bookkeeping.WriteProductRecord(product, record);
    }
    return ERROR_SUCCESS;
}

UINT RemoveAndCount(MSIHANDLE install, const std::wstring& shareId,
                    ShareBookkeepingKey& bookkeeping) {
    const std::wstring product = RunningProduct(install);
    std::vector<std::wstring> record;
    if (!product.empty()) {
        record = bookkeeping.ReadProductRecord(product);
    }
    CountClaim claim;
    claim.listedByProduct = Lists(record, shareId);
    claim.productKnown = !product.empty();
    claim.rollback = ::MsiGetMode(install, MSIRUNMODE_ROLLBACK) != FALSE;
    const auto dropListing = [&] {
        if (claim.listedByProduct) {
            std::erase(record, shareId);
            bookkeeping.WriteProductRecord(product, record);
        }
    };
    DWORD count = 0;
    if (!bookkeeping.ReadCount(shareId, count)) {
        dropListing();         // a listing without a count is stale
        return ERROR_SUCCESS;  // not counted by this family: not ours to remove
    }
    claim.count = count;
    claim.listings = bookkeeping.CountListings(shareId);
    if (!LowersCount(claim)) {
        return ERROR_SUCCESS;  // the count belongs to installations that are still there
    }
    std::wstring shareName;
    bookkeeping.ReadShareName(shareId, shareName);
    if (count - 1 != 0) {
        bookkeeping.WriteCount(shareId, count - 1);
        dropListing();
        return ERROR_SUCCESS;
    }
    if (const UINT progress = SendActionData(install, {shareName}); progress != ERROR_SUCCESS) {
        return progress;
    }
    DeleteShare(shareName);  // a share already gone does not keep the count alive
    bookkeeping.DeleteValue(shareId);
    bookkeeping.DeleteValue(ShareNameValue(shareId));
    bookkeeping.ForgetShareId(shareId);
    return ERROR_SUCCESS;
}

}  // namespace

UINT CreateScheduledShare(MSIHANDLE install) {
    const std::optional<ShareActionData> data = ParseShareActionData(
        ReadInstallerProperty(install, L"CustomActionData").value_or(std::wstring()));
    if (!data) {
        return ERROR_INSTALL_FAILURE;
    }
    const std::optional<std::wstring> folder = ExistingFolder(data->folderPath);
    if (!folder) {
        return ERROR_SUCCESS;
    }
    const ShareRequest request{*folder, data->shareName, data->description, data->userLimit,
                               data->permissions};
    if (const UINT progress = SendActionData(install, {request.path}); progress != ERROR_SUCCESS) {
        return progress;
    }
    ShareBookkeepingKey bookkeeping(data->upgradeCode);
    const UINT result = CreateAndCount(install, *data, request, bookkeeping);
    bookkeeping.RemoveEmptyKeys();
    return result;
}

UINT RemoveScheduledShare(MSIHANDLE install) {
    const std::optional<ShareReference> reference = ParseShareReference(
        ReadInstallerProperty(install, L"CustomActionData").value_or(std::wstring()));
    if (!reference) {
        return ERROR_INSTALL_FAILURE;
    }
    ShareBookkeepingKey bookkeeping(reference->upgradeCode);
    const UINT result = RemoveAndCount(install, reference->shareId, bookkeeping);
    bookkeeping.RemoveEmptyKeys();
    return result;
}

}  // namespace pubdirs
