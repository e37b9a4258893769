#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"

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
