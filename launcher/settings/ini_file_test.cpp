#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"
#include "test_text.h"

namespace launcher {
namespace {

using testing_support::ScratchFolder;

TEST(IniFile, ValuesOfAnyLengthAreReadWhole) {
    ScratchFolder folder;
    std::string text = "[S]\r\n";
    const size_t lengths[] = {0, 1, 254, 255, 256, 511, 1023, 2047, 2048, 2049, 5000};
    for (size_t length : lengths) {
        text.append("k").append(std::to_string(length)).append("=");
        text.append(length, 'v').append("x\r\n");
    }
    folder.Write(L"a.ini", text);
    const IniFile file(folder / L"a.ini");
    for (size_t length : lengths) {
        EXPECT_EQ(file.ReadValue(L"S", L"k" + std::to_wstring(length)),
                  std::wstring(length, L'v') + L"x")
            << length;
    }
    EXPECT_EQ(file.ReadValue(L"S", L"missing"), L"");
    EXPECT_EQ(file.ReadValue(L"Other", L"k0"), L"");
    EXPECT_EQ(IniFile(folder / L"none.ini").ReadValue(L"S", L"k0"), L"");
}

TEST(IniFile, WritesAValueThatReadsBack) {
    ScratchFolder folder;
    const IniFile file(folder / L"w.ini");
    EXPECT_TRUE(file.WriteValue(L"Java Runtime Environment", L"JRE Path", L"D:\\Java\\jre8\\"));
    EXPECT_EQ(file.ReadValue(L"java runtime environment", L"jre path"), L"D:\\Java\\jre8\\");
}

// The "JRE Path" write-back into files at their limits: the value lands, everything else in
// the file stays readable as before, and a UTF-16 file stays UTF-16.
TEST(IniFile, WritingIntoFilesAtTheirLimitsKeepsTheRest) {
    std::string megabyte;
    for (int i = 0; megabyte.size() < (1u << 20); ++i) {
        megabyte += "[Other " + std::to_string(i) + "]\r\nKey=" + std::string(200, 'v') + "\r\n";
    }
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary.push_back(static_cast<char>((i * 151 + 7) % 256));
    }
    const std::wstring wide = L"\ufeff[Application]\r\nCmd=\u03a9\u4e2d\r\n";
    const std::string utf16(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    const std::string jre = "[Java Runtime Environment]\r\nJRE Path=old\r\n";
    const std::wstring path = std::wstring(300, L'p') + L"\\";

    struct Case {
        const char* name;
        std::string bytes;
        std::wstring section, key, kept;  // a value that must survive the write
    };
    const Case cases[] = {
        {"1 MB", megabyte + jre, L"Other 4000", L"Key", std::wstring(200, L'v')},
        {"binary bytes", binary + "\r\n" + jre + "[Application]\r\nCmd=x\r\n", L"Application",
         L"Cmd", L"x"},
        {"UTF-16", utf16, L"Application", L"Cmd", L"\u03a9\u4e2d"},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        folder.Write(L"u.ini", c.bytes);
        const IniFile file(folder / L"u.ini");
        ASSERT_TRUE(file.WriteValue(L"Java Runtime Environment", L"JRE Path", path)) << c.name;
        EXPECT_EQ(file.ReadValue(L"Java Runtime Environment", L"JRE Path"), path) << c.name;
        EXPECT_EQ(file.ReadValue(c.section, c.key), c.kept) << c.name;
    }
    ScratchFolder folder;
    folder.Write(L"u.ini", utf16);
    IniFile(folder / L"u.ini").WriteValue(L"Java Runtime Environment", L"JRE Path", path);
    EXPECT_EQ(testing_support::ReadFileBytes(folder / L"u.ini").substr(0, 2), "\xff\xfe");
}

TEST(SettingsReader, PlusSectionFillsAnEmptyValueWithOneBlankInFront) {
    ScratchFolder folder;
    folder.Write(L"s.ini",
                 "[Application]\r\nBoth=main\r\nEmpty=\r\n"
                 "[Application+]\r\nBoth=plus\r\nEmpty=Yes\r\nOnly=Yes\r\nBlank= x\r\n");
    const SettingsReader reader(folder / L"s.ini");
    EXPECT_EQ(reader.ReadSetting(L"Application", L"Both"), L"main");
    EXPECT_EQ(reader.ReadSetting(L"Application", L"Empty"), L" Yes");
    EXPECT_EQ(reader.ReadSetting(L"Application", L"Only"), L" Yes");
    // The profile functions drop the blanks around a value, so the blank comes back.
    EXPECT_EQ(reader.ReadSetting(L"Application", L"Blank"), L" x");
    EXPECT_EQ(reader.ReadSetting(L"Application", L"None"), L"");
    EXPECT_EQ(reader.ReadValue(L"Application", L"Only"), L"");
}

}  // namespace
}  // namespace launcher
