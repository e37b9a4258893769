#include "job/job_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "scratch_folder.h"
#include "support/unique_handle.h"

namespace mailer {
namespace {

using testing_support::ScratchFolder;

TEST(INIGetValue, ReadsValuesWholeAndMissingOnesEmpty) {
    ScratchFolder folder;
    std::string text = "[Dokumente]\r\n";
    for (const size_t length : {258, 259, 5000}) {
        text += "Dokument" + std::to_string(length) + "=" + std::string(length, 'd') + "\r\n";
    }
    folder.Write(L"job.ini", text);
    const std::wstring job = folder / L"job.ini";
    for (const size_t length : {258, 259, 5000}) {
        EXPECT_EQ(INIGetValue(job, L"Dokumente", L"Dokument" + std::to_wstring(length)),
                  std::wstring(length, L'd'));
    }
    EXPECT_EQ(INIGetValue(job, L"Dokumente", L"Dokument1"), L"");
    EXPECT_EQ(INIGetValue(job, L"Mail", L"Betreff"), L"");
    EXPECT_EQ(INIGetValue(folder / L"none.ini", L"Dokumente", L"Dokument258"), L"");
}

TEST(ParseDocumentCount, AsTheLocaleReadsANumber) {
    const struct {
        std::wstring text;
        CountStatus status;
        int value;
    } cases[] = {
        {L"3", CountStatus::Valid, 3},           {L"  3  ", CountStatus::Valid, 3},
        {L"+2", CountStatus::Valid, 2},          {L"-1", CountStatus::Valid, -1},
        {L"2.5", CountStatus::Valid, 2},         {L"3.5", CountStatus::Valid, 4},
        {L"2.51", CountStatus::Valid, 3},        {L"-32768", CountStatus::Valid, -32768},
        {L"32767", CountStatus::Valid, 32767},   {L"40000", CountStatus::OutOfRange, 0},
        {L"-32769", CountStatus::OutOfRange, 0}, {L"", CountStatus::NotNumeric, 0},
        {L"drei", CountStatus::NotNumeric, 0},   {L"3 Stück", CountStatus::NotNumeric, 0},
    };
    for (const auto& c : cases) {
        const DocumentCount count = ParseDocumentCount(c.text);
        EXPECT_EQ(count.status, c.status) << c.text.size();
        EXPECT_EQ(count.value, c.value) << c.text.size();
    }
}

TEST(ReadBodyFile, WholeInTheAnsiCodePageTrimmedOfBlanks) {
    ScratchFolder folder;
    folder.Write(L"body.txt",
                 "  \r\nGr\xFC\xDF"
                 "e\r\n  ");
    EXPECT_EQ(ReadBodyFile(folder / L"body.txt"), L"\r\nGrüße\r\n");
    folder.Write(L"empty.txt", "");
    EXPECT_EQ(ReadBodyFile(folder / L"empty.txt"), L"");
    EXPECT_EQ(ReadBodyFile(folder / L"none.txt"), std::nullopt);

    // Held by another program that shares nothing.
    const std::wstring locked = folder / L"body.txt";
    support::UniqueHandle holder(support::ValidOrNull(::CreateFileW(
        locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    ASSERT_TRUE(holder);
    EXPECT_EQ(ReadBodyFile(locked), std::nullopt);
}

}  // namespace
}  // namespace mailer
