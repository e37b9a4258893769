#include <gtest/gtest.h>

#include "options/class_path_entry.h"
#include "options/runtime_paths.h"
#include "options/vm_parameters.h"

namespace launcher {
namespace {

using Options = std::vector<std::wstring>;

TEST(VmParameters, QuotesGroupBlanksAndDisappear) {
    EXPECT_EQ(SplitVmParameters(L"-Xmx512m  \"-Dmy.dir=C:\\Program Files\\App\" -Da=1"),
              (Options{L"-Xmx512m", L"-Dmy.dir=C:\\Program Files\\App", L"-Da=1"}));
    // Quotes around a part of an option.
    EXPECT_EQ(SplitVmParameters(L"-Dname=\"a b\"c"), (Options{L"-Dname=a bc"}));
    // Two adjacent quotes inside a quoted part close and reopen it.
    EXPECT_EQ(SplitVmParameters(L"\"-Dx=a\"\"b c\""), (Options{L"-Dx=ab c"}));
    // An unclosed quote runs to the end.
    EXPECT_EQ(SplitVmParameters(L"-Da \"-Db=x y"), (Options{L"-Da", L"-Db=x y"}));
    // The blank that a "+" section puts in front, and options that are only quotes.
    EXPECT_EQ(SplitVmParameters(L" -Da \"\" -Db"), (Options{L"-Da", L"-Db"}));
    EXPECT_TRUE(SplitVmParameters(L"").empty());
}

TEST(ClassPathEntry, ClassifiesAndPlacesEntries) {
    const std::wstring app = L"C:\\App";
    // Relative entries and entries with "*" are searched.
    for (const wchar_t* entry :
         {L"lib\\*.jar", L"a.jar", L"x", L"", L"C:\\lib\\*.jar", L"\\lib\\a.jar", L"..\\a.jar"}) {
        EXPECT_TRUE(NeedsClassPathSearch(entry)) << entry;
    }
    for (const wchar_t* entry : {L"C:\\lib\\a.jar", L"\\\\server\\share\\a.jar", L"C:a.jar"}) {
        EXPECT_FALSE(NeedsClassPathSearch(entry)) << entry;
    }

    EXPECT_EQ(ClassPathSearchPattern(L"lib\\*.jar", app), L"C:\\App\\lib\\*.jar");
    EXPECT_EQ(ClassPathMatchFolder(L"lib\\*.jar", app), L"C:\\App\\lib");
    EXPECT_EQ(ClassPathSearchPattern(L"*.jar", app), L"C:\\App\\*.jar");
    EXPECT_EQ(ClassPathMatchFolder(L"*.jar", app), L"C:\\App");
    // A "\" at the start does not count as a folder of the entry.
    EXPECT_EQ(ClassPathMatchFolder(L"\\a.jar", app), L"C:\\App");
    EXPECT_EQ(ClassPathMatchFolder(L"a\\b\\*.jar", app), L"C:\\App\\a\\b");

    EXPECT_EQ(ClassPathSearchPattern(L"D:\\lib\\*.jar", app), L"D:\\lib\\*.jar");
    EXPECT_EQ(ClassPathMatchFolder(L"D:\\lib\\*.jar", app), L"D:\\lib");
    EXPECT_EQ(ClassPathMatchFolder(L"\\\\srv\\share\\*.jar", app), L"\\\\srv\\share");
    EXPECT_EQ(ClassPathMatchFolder(L"D:\\lib\\", app), L"D:\\lib\\");
    EXPECT_EQ(ClassPathMatchFolder(L"D:*.jar", app), L"D:");
}

TEST(RuntimePaths, FoldersOfTheChosenLibrary) {
    struct Case {
        const wchar_t* jvm;
        const wchar_t* bin;
        const wchar_t* home;
        const wchar_t* lib;
    };
    // Too short to hold a runtime: nothing rather than a folder outside it. A drive letter
    // alone would be the drive's current folder: the root is named instead.
    const Case cases[] = {
        {L"C:\\jre\\bin\\server\\jvm.dll", L"C:\\jre\\bin", L"C:\\jre", L"C:\\jre\\lib"},
        {L"\\\\host\\share\\jdk\\bin\\client\\jvm.dll", L"\\\\host\\share\\jdk\\bin",
         L"\\\\host\\share\\jdk", L"\\\\host\\share\\jdk\\lib"},
        {L"\\\\?\\D:\\a b\\bin\\hotspot\\jvm.dll", L"\\\\?\\D:\\a b\\bin", L"\\\\?\\D:\\a b",
         L"\\\\?\\D:\\a b\\lib"},
        {L"C:\\bin\\server\\jvm.dll", L"C:\\bin", L"C:\\", L"C:\\lib"},
        {L"C:\\server\\jvm.dll", L"C:\\", L"", L"\\lib"},
        {L"\\server\\jvm.dll", L"", L"", L"\\lib"},
        {L"C:\\jvm.dll", L"", L"", L"\\lib"},
        {L"jvm.dll", L"", L"", L"\\lib"},
        {L"", L"", L"", L"\\lib"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JvmBinFolder(c.jvm), c.bin) << c.jvm;
        EXPECT_EQ(RuntimeHomeFolder(c.jvm), c.home) << c.jvm;
        EXPECT_EQ(RuntimeLibFolder(c.jvm), c.lib) << c.jvm;
    }
}

TEST(RuntimePaths, LibraryPathAndPathTexts) {
    // No separator is put between "Library Path" and the program folder.
    EXPECT_EQ(LibraryPathText(L"C:\\native;", L"C:\\App", L"C:\\jre\\lib"),
              L"C:\\native;C:\\App\\;.;%Path%;C:\\jre\\lib");
    EXPECT_EQ(LibraryPathText(L"C:\\native", L"C:\\App", L"C:\\jre\\lib"),
              L"C:\\nativeC:\\App\\;.;%Path%;C:\\jre\\lib");

    EXPECT_EQ(PathVariableText(L"", L"C:\\jre\\bin"), L"C:\\jre\\bin;%Path%");
    EXPECT_EQ(PathVariableText(L"C:\\tools", L"C:\\jre\\bin"), L"C:\\tools;C:\\jre\\bin;%Path%");
    EXPECT_EQ(PathVariableText(L"C:\\tools;", L"C:\\jre\\bin"), L"C:\\tools;C:\\jre\\bin;%Path%");
}

}  // namespace
}  // namespace launcher
