// Answers to the share error 4105 and to the share action's progress message that a quiet
// msiexec cannot give: the installation runs in this process with an external user
// interface that answers them.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <gtest/gtest.h>

#include <functional>

#include "action_data.h"
#include "installer_services.h"
#include "msiexec_run.h"
#include "run_process.h"
#include "share_actions.h"
#include "share_test_support.h"

namespace shares_testing {
namespace {

const std::wstring kProduct = L"{5A0C7E21-3B7D-4C1E-9F52-7D1A2B3CF001}";

// Error 4105 as the user sees its fields: folder, share name, reason.
struct ShareQuestion {
    std::wstring folder;
    std::wstring shareName;
    std::wstring reason;
};

class InProcessShares : public ShareTest {
  protected:
    std::function<int(const ShareQuestion&)> answerQuestion = [](const ShareQuestion&) {
        return IDIGNORE;
    };
    // Answers the progress messages of the deferred actions (field 1: the folder of the
    // share action, the share name of the removal).
    std::function<int(const std::wstring& action, const std::wstring& field)> answerProgress =
        [](const std::wstring&, const std::wstring&) { return IDOK; };
    std::vector<ShareQuestion> questions;

    UINT InstallPackage() {
        ::MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
        ::MsiSetExternalUIRecord(
            &InProcessShares::Handle,
            INSTALLLOGMODE_ERROR | INSTALLLOGMODE_ACTIONSTART | INSTALLLOGMODE_ACTIONDATA, this,
            nullptr);
        const std::wstring package = testing_support::ThisProgramFolder() + L"\\shares_a.msi";
        const UINT result = ::MsiInstallProductW(package.c_str(), L"");
        ::MsiSetExternalUIRecord(nullptr, 0, nullptr, nullptr);
        return result;
    }
    UINT RemovePackage() {
        ::MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
        ::MsiSetExternalUIRecord(&InProcessShares::Handle,
                                 INSTALLLOGMODE_ACTIONSTART | INSTALLLOGMODE_ACTIONDATA, this,
                                 nullptr);
        const UINT result =
            ::MsiConfigureProductW(kProduct.c_str(), INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT);
        ::MsiSetExternalUIRecord(nullptr, 0, nullptr, nullptr);
        return result;
    }
    void TearDown() override {
        ::MsiConfigureProductW(kProduct.c_str(), INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT);
        ShareTest::TearDown();
    }

  private:
    static int WINAPI Handle(void* context, UINT type, MSIHANDLE record) {
        auto* self = static_cast<InProcessShares*>(context);
        switch (type & 0xFF000000u) {
            case INSTALLMESSAGE_ACTIONSTART:
                self->action_ = RecordText(record, 1);
                return IDOK;
            case INSTALLMESSAGE_ACTIONDATA:
                return self->answerProgress(self->action_, RecordText(record, 1));
            case INSTALLMESSAGE_ERROR:
                if (::MsiRecordGetInteger(record, 1) != 4105) {
                    return 0;
                }
                EXPECT_EQ(type & 0xFFu, static_cast<UINT>(MB_ABORTRETRYIGNORE | MB_ICONWARNING));
                self->questions.push_back(
                    {RecordText(record, 2), RecordText(record, 3), RecordText(record, 4)});
                return self->answerQuestion(self->questions.back());
            default:
                return 0;
        }
    }
    std::wstring action_;
};

TEST_F(InProcessShares, RetryAfterTheForeignShareWentAwayCreatesAndCounts) {
    SeedForeignShare(L"TessalyFragen");
    answerQuestion = [&](const ShareQuestion& question) {
        if (question.shareName != L"TessalyFragen") {
            return IDIGNORE;
        }
        auto shares = netapi_double::ReadShareTable(folder_);
        std::erase_if(shares, [](const auto& s) { return s.netname == L"TessalyFragen"; });
        EXPECT_TRUE(netapi_double::WriteShareTable(folder_, shares));
        return IDRETRY;
    };
    ASSERT_EQ(InstallPackage(), 0u);
    EXPECT_EQ(Count(kFamilyKey, L"Ask"), 1u);
    ASSERT_TRUE(Share(L"TessalyFragen"));
    EXPECT_NE(Share(L"TessalyFragen")->path, folder_);
    // The duplicate name and the entry without a mask each asked once; a network code
    // whose text the system lacks still gives a reason.
    ASSERT_EQ(questions.size(), 2u);
    for (const ShareQuestion& question : questions) {
        EXPECT_TRUE(question.folder.ends_with(L"\\Tessaly\\Austausch")) << question.folder;
        EXPECT_FALSE(question.reason.empty());
    }
    EXPECT_EQ(
        questions[0].shareName == L"TessalyFragen" ? questions[0].reason : questions[1].reason,
        netapi_double::FromUtf8("Fehler 2118"));
}

TEST_F(InProcessShares, AbortFailsTheInstallationAndTakesBackItsShares) {
    SeedForeignShare(L"TessalyFragen");
    answerQuestion = [](const ShareQuestion&) { return IDABORT; };
    EXPECT_EQ(InstallPackage(), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    const auto shares = netapi_double::ReadShareTable(folder_);
    ASSERT_EQ(shares.size(), 1u);
    EXPECT_EQ(shares[0].path, folder_) << "the foreign share stays";
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel"));
}

TEST_F(InProcessShares, CancelledProgressMessagesCreateAndRemoveNothing) {
    std::wstring cancelledAction = L"TS_PubDirs";
    answerProgress = [&](const std::wstring& action, const std::wstring&) {
        return action == cancelledAction ? IDCANCEL : IDOK;
    };
    EXPECT_EQ(InstallPackage(), static_cast<UINT>(ERROR_INSTALL_USEREXIT));
    EXPECT_TRUE(netapi_double::ReadShareTable(folder_).empty());
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel"));

    // A removal cancelled at its share's message keeps the share and its count.
    cancelledAction = L"TS_RemoveSHFolders";
    ASSERT_EQ(InstallPackage(), 0u);
    ASSERT_EQ(Count(kFamilyKey, L"Exchange"), 1u);
    EXPECT_EQ(RemovePackage(), static_cast<UINT>(ERROR_INSTALL_USEREXIT));
    EXPECT_EQ(Count(kFamilyKey, L"Exchange"), 1u);
    EXPECT_TRUE(Share(L"TessalyAustausch"));
}

// The share action run twice for one product, as a repeated installation would: the product's
// record keeps it from counting the share twice.
TEST_F(ShareTest, AProductCountsAShareOnce) {
    using namespace pubdirs;
    ::MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    InstallerHandle session;
    ASSERT_EQ(::MsiOpenPackageW((testing_support::ThisProgramFolder() + L"\\shares_a.msi").c_str(),
                                session.Receive()),
              0u);
    const std::wstring upgradeCode = kFamilyKey.substr(kFamilyKey.rfind(L'\\') + 1);
    const auto run = [&](UINT (*action)(MSIHANDLE), const std::wstring& data) {
        EXPECT_EQ(::MsiSetPropertyW(session.Get(), L"CustomActionData", data.c_str()), 0u);
        return action(session.Get());
    };
    const std::wstring share = FormatShareActionData(
        {folder_, L"TessalyNochmal", L"", L"", L"", upgradeCode, L"Again", L"2"});
    EXPECT_EQ(run(CreateScheduledShare, share), 0u);
    EXPECT_EQ(run(CreateScheduledShare, share), 0u);
    EXPECT_EQ(Count(kFamilyKey, L"Again"), 1u);
    EXPECT_EQ(Record(kFamilyKey, kProductA), std::set<std::wstring>{L"Again"});
    EXPECT_EQ(run(RemoveScheduledShare, FormatShareReference({L"Again", upgradeCode})), 0u);
    EXPECT_FALSE(Share(L"TessalyNochmal"));
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel"));
}

}  // namespace
}  // namespace shares_testing
