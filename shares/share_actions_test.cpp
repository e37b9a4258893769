// The deferred actions see only "CustomActionData"; here it is set on an opened package.
#include "share_actions.h"

#include "folder_scheduling.h"
#include "installer_services.h"

#include <gtest/gtest.h>

#include <string>

namespace pubdirs {
namespace {

class DeferredData : public ::testing::Test {
  protected:
    void SetUp() override {
        std::wstring folder(MAX_PATH, L'\0');
        folder.resize(
            ::GetModuleFileNameW(nullptr, folder.data(), static_cast<DWORD>(folder.size())));
        folder.resize(folder.find_last_of(L'\\'));
        ::MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
        ASSERT_EQ(::MsiOpenPackageW((folder + L"\\pubdirs-sample.msi").c_str(), install_.Receive()),
                  0u);
    }
    MSIHANDLE With(const std::wstring& data) {
        ::MsiSetPropertyW(install_.Get(), L"CustomActionData", data.c_str());
        return install_.Get();
    }

  private:
    InstallerHandle install_;
};

TEST_F(DeferredData, ShareDataNeedsExactlyEightFields) {
    EXPECT_EQ(CreateScheduledShare(With(L"C:\\A\\\x01"
                                        L"A\x01\x01-1\x01\x01{U}\x01Id\x01"
                                        L"0")),
              0u);
    // An empty Options value is lost in transit: 7 fields.
    EXPECT_EQ(CreateScheduledShare(With(L"C:\\A\\\x01"
                                        L"A\x01\x01-1\x01\x01{U}\x01Id\x01")),
              static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(CreateScheduledShare(With(L"")), static_cast<UINT>(ERROR_INSTALL_FAILURE));
}

TEST_F(DeferredData, ReferenceDataNeedsExactlyTwoFields) {
    EXPECT_EQ(RemoveScheduledShare(With(L"Exchange\x01{U}")), 0u);
    EXPECT_EQ(RemoveScheduledShare(With(L"Exchange\x01")),  // no UpgradeCode
              static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(RemoveScheduledShare(With(L"a\x01"
                                        L"b\x01"
                                        L"c")),
              static_cast<UINT>(ERROR_INSTALL_FAILURE));
}

TEST(WithoutAnInstallation, EveryActionFails) {
    EXPECT_EQ(ScheduleShareCreation(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(ScheduleShareRemoval(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(CreateScheduledShare(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(RemoveScheduledShare(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
}

}  // namespace
}  // namespace pubdirs
