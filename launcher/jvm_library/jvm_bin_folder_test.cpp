#include "jvm_library/jvm_bin_folder.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

TEST(JvmBinFolder, DropsTheFlavourFolderAndTheFileName) {
    EXPECT_EQ(JvmBinFolder(L"C:\\jre\\bin\\server\\jvm.dll"), L"C:\\jre\\bin");
    EXPECT_EQ(JvmBinFolder(L"\\\\host\\share\\jdk\\bin\\client\\jvm.dll"),
              L"\\\\host\\share\\jdk\\bin");
    EXPECT_EQ(JvmBinFolder(L"\\\\?\\D:\\a b\\bin\\hotspot\\jvm.dll"), L"\\\\?\\D:\\a b\\bin");
}

TEST(JvmBinFolder, ShortPathsGiveTheDriveRootOrNothing) {
    EXPECT_EQ(JvmBinFolder(L"C:\\server\\jvm.dll"), L"C:\\");
    EXPECT_EQ(JvmBinFolder(L"C:\\jvm.dll"), L"");
    EXPECT_EQ(JvmBinFolder(L"jvm.dll"), L"");
    EXPECT_EQ(JvmBinFolder(L""), L"");
}

}  // namespace
}  // namespace launcher
