#include "share_request.h"

#include <gtest/gtest.h>

namespace pubdirs {
namespace {

TEST(ShareRequest, OptionsUserLimitAndDriveRoots) {
    EXPECT_EQ(ParseFailureOption(L"0"), FailureOption::Ask);
    EXPECT_EQ(ParseFailureOption(L" 1"), FailureOption::Replace);
    for (const wchar_t* other : {L"2", L"3", L"-1"}) {
        EXPECT_EQ(ParseFailureOption(other), FailureOption::GiveUp) << other;
    }
    // An empty value never reaches this (the data then lacks its last field); text
    // without digits reads as 0 like every number of the table.
    EXPECT_EQ(ParseFailureOption(L"nein"), FailureOption::Ask);

    EXPECT_EQ(ParseUserLimit(L""), kNoUserLimit);
    EXPECT_EQ(ParseUserLimit(L"-1"), kNoUserLimit);
    EXPECT_EQ(ParseUserLimit(L"10 Benutzer"), 10u);
    EXPECT_EQ(ParseUserLimit(L" "), 0u);

    EXPECT_TRUE(IsDriveRoot(L"C:\\"));
    for (const wchar_t* other : {L"C:", L"C:\\x", L"\\\\s", L"C:/", L"CC\\"}) {
        EXPECT_FALSE(IsDriveRoot(other)) << other;
    }
}

}  // namespace
}  // namespace pubdirs
