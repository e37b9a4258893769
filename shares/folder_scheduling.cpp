#include "folder_scheduling.h"

#include "action_data.h"
#include "installer_services.h"

#include <msiquery.h>

#include <optional>
#include <string>
#include <utility>

namespace pubdirs {
namespace {

constexpr wchar_t kTable[] = L"TS_SharedFolders";
constexpr wchar_t kCreationQuery[] =
    L"SELECT `ShareId`,`Directory`,`Component`,`ShareName`,`Description`,`UserLimit`,"
    L"`Permissions`,`Condition`,`Options` FROM `TS_SharedFolders`";
constexpr wchar_t kRemovalQuery[] =
    L"SELECT `ShareId`,`ShareName`,`Component` FROM `TS_SharedFolders`";

// The record fields of the two queries, numbered from 1 as the installer numbers them.
namespace creation {
enum Field : unsigned int {
    kShareId = 1,
    kDirectory,
    kComponent,
    kShareName,
    kDescription,
    kUserLimit,
    kPermissions,
    kCondition,
    kOptions
};
}  // namespace creation
namespace removal {
enum Field : unsigned int { kShareId = 1, kShareName, kComponent };
}  // namespace removal
constexpr wchar_t kShareAction[] = L"TS_PubDirs";
constexpr wchar_t kRollbackAction[] = L"TS_RollbackSHFolders";
constexpr wchar_t kRemovalAction[] = L"TS_RemoveSHFolders";

// Opens and executes the table query. A package without the table has no shares: then the
// view stays closed and the answer is 0.
UINT OpenTableView(MSIHANDLE database, const wchar_t* query, InstallerHandle& view) {
    const UINT opened = ::MsiDatabaseOpenViewW(database, query, view.Receive());
    if (opened != ERROR_SUCCESS) {
        view.Reset();
        if (opened == ERROR_BAD_QUERY_SYNTAX &&
            ::MsiDatabaseIsTablePersistentW(database, kTable) == MSICONDITION_NONE) {
            return ERROR_SUCCESS;
        }
        return ERROR_INSTALL_FAILURE;
    }
    if (::MsiViewExecute(view.Get(), 0) != ERROR_SUCCESS) {
        return ERROR_INSTALL_FAILURE;
    }
    return ERROR_SUCCESS;
}

// Hands data to a deferred action: the property named like the action carries it while the
// action is queued, and is emptied again afterwards.
UINT Schedule(MSIHANDLE install, const wchar_t* action, const std::wstring& data) {
    if (::MsiSetPropertyW(install, action, data.c_str()) != ERROR_SUCCESS) {
        return ERROR_INSTALL_FAILURE;
    }
    const UINT done = ::MsiDoActionW(install, action);
    const UINT cleared = ::MsiSetPropertyW(install, action, L"");
    return done == ERROR_SUCCESS && cleared == ERROR_SUCCESS ? ERROR_SUCCESS
                                                             : ERROR_INSTALL_FAILURE;
}

struct NamedValue {
    const wchar_t* name;
    const std::wstring* value;
};

// A value carrying the field separator would shift every later field of the data, and the
// deferred action would act on the wrong share. Such a row is refused, with the reason logged.
bool RefuseRowWithSeparator(MSIHANDLE install, const std::wstring& shareId,
                            std::initializer_list<NamedValue> values) {
    for (const NamedValue& value : values) {
        if (ContainsFieldSeparator(*value.value)) {
            WriteLogLine(install, std::wstring(kTable) + L": Zeile \"" + shareId +
                                      L"\" abgelehnt: " + value.name +
                                      L" enthält das Zeichen U+0001, das die Felder der "
                                      L"Aktionsdaten trennt.");
            return true;
        }
    }
    return false;
}

// Rows are acted upon when the answer is true or "no expression"; false and erroneous
// conditions skip the row.
bool ConditionHolds(MSIHANDLE install, const std::wstring& condition) {
    const MSICONDITION answer = ::MsiEvaluateConditionW(install, condition.c_str());
    return answer == MSICONDITION_TRUE || answer == MSICONDITION_NONE;
}

// Reads the given fields into the given texts, in this order; false when one cannot be read.
bool ReadFields(MSIHANDLE record,
                std::initializer_list<std::pair<unsigned int, std::wstring*>> fields) {
    for (const auto& [field, text] : fields) {
        std::optional<std::wstring> value = ReadRecordField(record, field);
        if (!value) {
            return false;
        }
        *text = std::move(*value);
    }
    return true;
}

UINT ScheduleCreationForRow(MSIHANDLE install, MSIHANDLE record, const std::wstring& upgradeCode) {
    std::wstring component, condition;
    if (!ReadFields(record,
                    {{creation::kComponent, &component}, {creation::kCondition, &condition}})) {
        return ERROR_INSTALL_FAILURE;
    }
    const std::wstring& extraCondition = condition.empty() ? std::wstring(L"1") : condition;
    // ?C = 2: absent now; $C = 3: requested locally. The package's own condition is kept in
    // parentheses, so that an "OR" in it cannot widen the component test.
    if (!ConditionHolds(install, L"((?" + component + L" = 2) AND ($" + component +
                                     L" = 3)) AND (" + extraCondition + L")")) {
        return ERROR_SUCCESS;
    }

    ShareActionData data;
    std::wstring directory;
    if (!ReadFields(record, {{creation::kShareId, &data.shareId},
                             {creation::kDirectory, &directory},
                             {creation::kShareName, &data.shareName},
                             {creation::kDescription, &data.description},
                             {creation::kUserLimit, &data.userLimit},
                             {creation::kPermissions, &data.permissions},
                             {creation::kOptions, &data.options}})) {
        return ERROR_INSTALL_FAILURE;
    }
    // Unformatted failures are used as they are.
    for (std::wstring* text : {&data.shareName, &data.description, &data.permissions}) {
        FormatInstallerText(install, *text);
    }
    const std::optional<std::wstring> folder = ReadInstallerProperty(install, directory);
    data.folderPath = folder.value_or(std::wstring());
    data.upgradeCode = upgradeCode;

    if (RefuseRowWithSeparator(install, data.shareId,
                               {{L"ShareId", &data.shareId},
                                {L"der Ordnerpfad", &data.folderPath},
                                {L"ShareName", &data.shareName},
                                {L"Description", &data.description},
                                {L"UserLimit", &data.userLimit},
                                {L"Permissions", &data.permissions},
                                {L"Options", &data.options},
                                {L"UpgradeCode", &data.upgradeCode}})) {
        return ERROR_INSTALL_FAILURE;
    }

    const UINT progress = SendActionData(install, {folder, data.shareName});
    if (progress != ERROR_SUCCESS) {
        return progress;
    }
    // The rollback undoes the bookkeeping entry, which is named by the ShareId.
    if (Schedule(install, kRollbackAction, FormatShareReference({data.shareId, upgradeCode})) !=
        ERROR_SUCCESS) {
        return ERROR_INSTALL_FAILURE;
    }
    return Schedule(install, kShareAction, FormatShareActionData(data));
}

UINT ScheduleRemovalForRow(MSIHANDLE install, MSIHANDLE record, const std::wstring& upgradeCode) {
    std::wstring shareId, shareName, component;
    if (!ReadFields(record, {{removal::kShareId, &shareId},
                             {removal::kShareName, &shareName},
                             {removal::kComponent, &component}})) {
        return ERROR_INSTALL_FAILURE;
    }
    // ?C = 3: installed locally now; $C = 2: requested to be absent.
    if (!ConditionHolds(install, L"(?" + component + L" = 3) AND ($" + component + L" = 2)")) {
        return ERROR_SUCCESS;
    }
    if (RefuseRowWithSeparator(install, shareId,
                               {{L"ShareId", &shareId}, {L"UpgradeCode", &upgradeCode}})) {
        return ERROR_INSTALL_FAILURE;
    }
    const UINT progress = SendActionData(install, {shareName});
    if (progress != ERROR_SUCCESS) {
        return progress;
    }
    return Schedule(install, kRemovalAction, FormatShareReference({shareId, upgradeCode}));
}

using RowScheduler = UINT (*)(MSIHANDLE install, MSIHANDLE record, const std::wstring& upgradeCode);

UINT ScheduleRows(MSIHANDLE install, const wchar_t* query, RowScheduler scheduleRow) {
    InstallerHandle database(::MsiGetActiveDatabase(install));
    if (!database) {
        return ERROR_INSTALL_FAILURE;
    }
    const std::wstring upgradeCode =
        ReadInstallerProperty(install, L"UpgradeCode").value_or(std::wstring());
    InstallerHandle view;
    const UINT opened = OpenTableView(database.Get(), query, view);
    if (opened != ERROR_SUCCESS || !view) {
        return opened;
    }
    InstallerHandle record;
    for (;;) {
        const UINT fetched = ::MsiViewFetch(view.Get(), record.Receive());
        if (fetched == ERROR_NO_MORE_ITEMS) {
            return ERROR_SUCCESS;
        }
        if (fetched != ERROR_SUCCESS) {
            return ERROR_INSTALL_FAILURE;
        }
        const UINT result = scheduleRow(install, record.Get(), upgradeCode);
        if (result != ERROR_SUCCESS) {
            return result;
        }
    }
}

}  // namespace

UINT ScheduleShareCreation(MSIHANDLE install) {
    return ScheduleRows(install, kCreationQuery, ScheduleCreationForRow);
}

UINT ScheduleShareRemoval(MSIHANDLE install) {
    return ScheduleRows(install, kRemovalQuery, ScheduleRemovalForRow);
}

}  // namespace pubdirs
