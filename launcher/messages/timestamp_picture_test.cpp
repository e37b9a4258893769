#include "messages/timestamp_picture.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(TimestampPicture, BetweenFirstAndLastPercent) {
    EXPECT_EQ(FindTimestampPicture(L"out.log"), std::nullopt);
    EXPECT_EQ(FindTimestampPicture(L""), std::nullopt);
    const auto parts = FindTimestampPicture(L"C:\\Logs\\app_%yyyyMMdd-HHmmss%.log");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->before, L"C:\\Logs\\app_");
    EXPECT_EQ(parts->picture, L"yyyyMMdd-HHmmss");
    EXPECT_EQ(parts->after, L".log");
    const auto inner = FindTimestampPicture(L"a%b%c%d");
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->picture, L"b%c");
    EXPECT_EQ(inner->after, L"d");
    for (const wchar_t* name : {L"out%.log", L"out%%.log"}) {
        const auto empty = FindTimestampPicture(name);
        ASSERT_TRUE(empty);
        EXPECT_EQ(empty->before + empty->picture + empty->after, L"out.log");
    }
}

TEST(TimestampPicture, MillisecondsWithoutLeadingZeros) {
    EXPECT_EQ(InsertMilliseconds(L"HHmm.L", 45), L"HHmm.45");
    EXPECT_EQ(InsertMilliseconds(L"L-L", 7), L"7-7");
    EXPECT_EQ(InsertMilliseconds(L"l", 0), L"l");
    EXPECT_EQ(InsertMilliseconds(L"L", 0), L"0");
}

}  // namespace
}  // namespace launcher
