// Installations run inside the test process, with an external user interface that sees every
// progress message as a record: what a user would see, and where a user can cancel.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "msiexec_run.h"
#include "run_process.h"
#include "test_text.h"

namespace {

using shares_testing::ReadInstallerLog;
using shares_testing::RecordText;
using testing_support::ThisProgramFolder;

struct ProgressMessage {
    std::wstring action;  // the action started last
    std::vector<std::wstring> fields;

    // The scheduling actions start the actions they schedule, so their own later messages
    // come after the start of a scheduled action.
    bool FromInstallScheduling() const {
        return action == L"TS_ProcessFolders" || action == L"TS_RollbackSHFolders" ||
               action == L"TS_PubDirs";
    }
    bool FromRemovalScheduling() const {
        return action == L"TS_UninstallPubDirs" || action == L"TS_RemoveSHFolders";
    }
};

// Collects progress messages and answers them through `answer` (IDOK unless told otherwise).
class ExternalInterface {
  public:
    std::vector<ProgressMessage> messages;
    std::function<int(const ProgressMessage&)> answer = [](const ProgressMessage&) { return IDOK; };

    ExternalInterface() {
        ::MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
        ::MsiSetExternalUIRecord(&ExternalInterface::Handle,
                                 INSTALLLOGMODE_ACTIONSTART | INSTALLLOGMODE_ACTIONDATA, this,
                                 nullptr);
    }
    ~ExternalInterface() { ::MsiSetExternalUIRecord(nullptr, 0, nullptr, nullptr); }

  private:
    static int WINAPI Handle(void* context, UINT type, MSIHANDLE record) {
        auto* self = static_cast<ExternalInterface*>(context);
        switch (type & 0xFF000000u) {
            case INSTALLMESSAGE_ACTIONSTART:
                self->action_ = RecordText(record, 1);
                return IDOK;
            case INSTALLMESSAGE_ACTIONDATA: {
                ProgressMessage message{self->action_, {}};
                for (UINT i = 1; i <= ::MsiRecordGetFieldCount(record); ++i) {
                    message.fields.push_back(RecordText(record, i));
                }
                self->messages.push_back(message);
                return self->answer(message);
            }
            default:
                return 0;
        }
    }
    std::wstring action_;
};

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

const std::wstring kPackage = ThisProgramFolder() + L"\\scheduling.msi";

TEST(PubDirsInProcess, CancelInTheSecondRowKeepsTheFirstRowScheduled) {
    const std::wstring log = ThisProgramFolder() + L"\\scheduling-cancel.log";
    ::DeleteFileW(log.c_str());
    ASSERT_EQ(::MsiEnableLogW(INSTALLLOGMODE_INFO | INSTALLLOGMODE_ACTIONSTART, log.c_str(), 0),
              0u);
    ExternalInterface ui;
    int scheduling = 0;
    ui.answer = [&](const ProgressMessage& message) {
        if (message.FromInstallScheduling() && ++scheduling == 2) {
            return IDCANCEL;
        }
        return IDOK;
    };
    const UINT result = ::MsiInstallProductW(kPackage.c_str(), L"");
    ::MsiEnableLogW(0, nullptr, 0);
    EXPECT_EQ(result, static_cast<UINT>(ERROR_INSTALL_USEREXIT));
    EXPECT_EQ(scheduling, 2) << "the action went on after the cancel";
    // The first row's two actions were scheduled before the cancel, and nothing after it.
    // (Wine runs no rollback after a cancel, so the scheduling is read from the log.)
    const std::string text = ReadInstallerLog(log);
    EXPECT_EQ(CountOf(text, ": TS_RollbackSHFolders.\n"), 1u) << text;
    EXPECT_EQ(CountOf(text, ": TS_PubDirs.\n"), 1u);
    EXPECT_EQ(CountOf(text, "share-data-probe share: "), 0u);
    if (result == ERROR_SUCCESS) {
        ::MsiConfigureProductW(L"{5A0C7E21-3B7D-4C1E-9F52-7D1A2B3CE001}", INSTALLLEVEL_DEFAULT,
                               INSTALLSTATE_ABSENT);
    }
}

TEST(PubDirsInProcess, ProgressMessagesCarryFolderAndShareName) {
    ExternalInterface ui;
    ASSERT_EQ(::MsiInstallProductW(kPackage.c_str(), L""), 0u);
    std::vector<std::vector<std::wstring>> scheduled;
    for (const ProgressMessage& message : ui.messages) {
        if (message.FromInstallScheduling()) {
            scheduled.push_back(message.fields);
        }
    }
    ui.messages.clear();
    const UINT removed = ::MsiConfigureProductW(L"{5A0C7E21-3B7D-4C1E-9F52-7D1A2B3CE001}",
                                                INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT);
    EXPECT_EQ(removed, 0u);

    // Folder and formatted share name; a row whose folder property is empty still shows
    // its empty folder.
    bool sawExchange = false;
    for (const auto& fields : scheduled) {
        ASSERT_EQ(fields.size(), 2u);
        if (fields[1] == L"TessalyAustausch") {
            sawExchange = true;
            EXPECT_TRUE(fields[0].ends_with(L"\\Tessaly\\Austausch\\")) << fields[0];
        }
    }
    EXPECT_TRUE(sawExchange);
    EXPECT_EQ(scheduled.size(), 7u);

    // Removal shows the share name as the table writes it, brackets and all.
    std::vector<std::wstring> removal;
    for (const ProgressMessage& message : ui.messages) {
        if (message.FromRemovalScheduling()) {
            ASSERT_EQ(message.fields.size(), 1u);
            removal.push_back(message.fields[0]);
        }
    }
    EXPECT_NE(std::find(removal.begin(), removal.end(), L"[TS_EXCHANGESHARE]"), removal.end());
    EXPECT_EQ(removal.size(), 9u);
}

}  // namespace
