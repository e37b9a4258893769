#include "messages/timestamp_pattern.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

std::wstring Expanded(std::wstring name) {
    SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 12;
    time.wDay = 8;
    time.wDayOfWeek = 2;
    time.wHour = 6;
    time.wMinute = 5;
    time.wSecond = 9;
    time.wMilliseconds = 45;
    ExpandTimestampPattern(name, time);
    return name;
}

TEST(ExpandTimestampPattern, TimeThenDatePictures) {
    EXPECT_EQ(Expanded(L"app_%HHmm.L%.log"), L"app_0605.45.log");
    EXPECT_EQ(Expanded(L"C:\\Logs\\app_%yyyyMMdd-HHmmss%.log"),
              L"C:\\Logs\\app_20261208-060509.log");
    EXPECT_EQ(Expanded(L"%yyyy-MM-dd% %HH%.txt"), L"2026-12-08% %06.txt");
}

TEST(ExpandTimestampPattern, NamesWithoutAPicture) {
    EXPECT_EQ(Expanded(L"out.log"), L"out.log");
    EXPECT_EQ(Expanded(L""), L"");
    EXPECT_EQ(Expanded(L"out%%.log"), L"out.log");
    EXPECT_EQ(Expanded(L"out%.log"), L"out.log");
}

}  // namespace
}  // namespace launcher
