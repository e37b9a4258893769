#include "settings/settings_path_rules.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(SettingsPathRules, SettingsFileBesideTheProgram) {
    EXPECT_EQ(SettingsPathFor(L"C:\\App\\start.exe"), L"C:\\App\\start.ini");
    EXPECT_EQ(SettingsPathFor(L"C:\\App\\tool.beta.exe"), L"C:\\App\\tool.beta.ini");
    EXPECT_EQ(SettingsPathFor(L"C:\\App\\start"), std::nullopt);
    // A dot in a folder name does not make a settings file in another folder.
    EXPECT_EQ(SettingsPathFor(L"C:\\App.1\\start"), std::nullopt);
    EXPECT_EQ(SettingsPathFor(L"start."), L"start.ini");
}

TEST(SettingsPathRules, BaseNameAndFolder) {
    EXPECT_EQ(ProgramBaseName(L"C:\\App\\tool.beta.exe"), L"tool.beta");
    EXPECT_EQ(ProgramBaseName(L"C:\\App.1\\start"), L"start");
    EXPECT_EQ(ProgramFolder(L"C:\\App\\start.exe"), L"C:\\App");
    EXPECT_EQ(ProgramFolder(L"C:\\App\\\\start.exe"), L"C:\\App");
    EXPECT_EQ(ProgramFolder(L"start.exe"), L"");
}

TEST(SettingsPathRules, PerUserFileBelowAppData) {
    EXPECT_EQ(SanitizeProductName(L"My App: Pro"), L"My App Pro");
    EXPECT_EQ(SanitizeProductName(L"a\\b?c\"d|e>f<g:h/i*j.k"), L"abcdefghij.k");
    EXPECT_EQ(UserSettingsPathFor(L"C:\\Users\\u\\AppData\\Roaming", L"My App: Pro", L"P1",
                                  L"C:\\App\\tool.beta.exe"),
              L"C:\\Users\\u\\AppData\\Roaming\\My App Pro\\P1\\tool.beta.ini");
}

TEST(SettingsPathRules, JrePathMadeAbsolute) {
    EXPECT_EQ(MakeJrePathAbsolute(L"jre", L"C:\\App"), L"C:\\App\\jre");
    EXPECT_EQ(MakeJrePathAbsolute(L"..\\jre", L"C:\\App"), L"C:\\App\\..\\jre");
    EXPECT_EQ(MakeJrePathAbsolute(L"\\\\server\\share\\jre", L"C:\\App"),
              L"\\\\server\\share\\jre");
    EXPECT_EQ(MakeJrePathAbsolute(L"D:\\jre", L"C:\\App"), L"D:\\jre");
    EXPECT_EQ(MakeJrePathAbsolute(L"D:", L"C:\\App"), L"D:");
    EXPECT_EQ(MakeJrePathAbsolute(L"D", L"C:\\App"), L"C:\\App\\D");
    EXPECT_EQ(MakeJrePathAbsolute(L"\\", L"C:\\App"), L"C:\\App\\\\");
    EXPECT_EQ(MakeJrePathAbsolute(L"", L"C:\\App"), L"");
}

}  // namespace
}  // namespace launcher
