// The actions without an installation, and the installer handles they take on every path.
#include "share_actions.h"

#include "action_data.h"
#include "folder_scheduling.h"
#include "installer_services.h"

#include <gtest/gtest.h>

#include <string>

namespace pubdirs {
namespace {

TEST(WithoutAnInstallation, EveryActionFails) {
    EXPECT_EQ(ScheduleShareCreation(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(ScheduleShareRemoval(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(CreateScheduledShare(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(RemoveScheduledShare(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
}

std::wstring ThisFolder() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\'));
}

int WINAPI CancelProgress(void*, UINT type, MSIHANDLE) {
    return (type & 0xFF000000u) == INSTALLMESSAGE_ACTIONDATA ? IDCANCEL : 0;
}

// The actions run on the sample package in this process, through success, refusal, cancel
// and failure paths; afterwards this thread holds no installer handle but the session's.
TEST(EveryAction, GivesBackEveryInstallerHandleOnEveryPath) {
    ::MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    {
        InstallerHandle install;
        ASSERT_EQ(
            ::MsiOpenPackageW((ThisFolder() + L"\\pubdirs-sample.msi").c_str(), install.Receive()),
            0u);
        for (const wchar_t* action : {L"CostInitialize", L"FileCost", L"CostFinalize"}) {
            ASSERT_EQ(::MsiDoActionW(install.Get(), action), 0u) << action;
        }
        INSTALLSTATE installed = INSTALLSTATE_UNKNOWN;
        INSTALLSTATE requested = INSTALLSTATE_UNKNOWN;
        ASSERT_EQ(::MsiGetComponentStateW(install.Get(), L"Exchange", &installed, &requested), 0u);
        ASSERT_EQ(installed, INSTALLSTATE_ABSENT);
        ASSERT_EQ(requested, INSTALLSTATE_LOCAL);

        EXPECT_EQ(ScheduleShareCreation(install.Get()), 0u);
        EXPECT_EQ(ScheduleShareRemoval(install.Get()), 0u);
        ::MsiSetExternalUIRecord(&CancelProgress, INSTALLLOGMODE_ACTIONDATA, nullptr, nullptr);
        EXPECT_EQ(ScheduleShareCreation(install.Get()), static_cast<UINT>(ERROR_INSTALL_USEREXIT));
        ::MsiSetExternalUIRecord(nullptr, 0, nullptr, nullptr);
        ASSERT_EQ(::MsiSetPropertyW(install.Get(), L"TS_EXCHANGESHARE",
                                    L"Tessaly\x01"
                                    L"Austausch"),
                  0u);
        EXPECT_EQ(ScheduleShareCreation(install.Get()), static_cast<UINT>(ERROR_INSTALL_FAILURE));

        // The deferred actions with their data: the share cannot be made here (no share
        // service), so each Options value takes its failure path; no count is recorded.
        const auto run = [&](UINT (*action)(MSIHANDLE), const std::wstring& data) {
            EXPECT_EQ(::MsiSetPropertyW(install.Get(), L"CustomActionData", data.c_str()), 0u);
            return action(install.Get());
        };
        for (const wchar_t* options : {L"0", L"1", L"2"}) {
            const ShareActionData data{
                ThisFolder() + L"\\", L"TessalyHandles", L"",        L"",
                L"Everyone/1179817",  L"{HANDLES}",      L"Handles", options};
            EXPECT_EQ(run(CreateScheduledShare, FormatShareActionData(data)), 0u) << options;
        }
        EXPECT_EQ(run(CreateScheduledShare, L"nur\x01sieben\x01\x01\x01\x01\x01"),
                  static_cast<UINT>(ERROR_INSTALL_FAILURE));
        EXPECT_EQ(run(RemoveScheduledShare, FormatShareReference({L"Handles", L"{HANDLES}"})), 0u);
        EXPECT_EQ(run(RemoveScheduledShare, L""), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    }
    EXPECT_EQ(::MsiCloseAllHandles(), 0u);
}

}  // namespace
}  // namespace pubdirs
