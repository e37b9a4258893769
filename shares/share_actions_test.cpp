// Every action needs the installation the installer hands it.
#include "share_actions.h"

#include "folder_scheduling.h"

#include <gtest/gtest.h>

namespace pubdirs {
namespace {

TEST(WithoutAnInstallation, EveryActionFails) {
    EXPECT_EQ(ScheduleShareCreation(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(ScheduleShareRemoval(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(CreateScheduledShare(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
    EXPECT_EQ(RemoveScheduledShare(0), static_cast<UINT>(ERROR_INSTALL_FAILURE));
}

}  // namespace
}  // namespace pubdirs
