#include "settings/jre_path_writeback.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "scoped_environment.h"
#include "scratch_folder.h"
#include "settings/ini_file.h"

namespace launcher {
namespace {

using testing_support::ScopedEnvironment;
using testing_support::ScratchFolder;

class JrePathWriteBack : public testing::Test {
  protected:
    JrePathWriteBack() : appData_(L"APPDATA", (folder_ / L"AppData").c_str()) {
        settings_.productName = L"My App: Pro";
        settings_.productCode = L"P1";
        ::CreateDirectoryW((folder_ / L"AppData").c_str(), nullptr);
    }

    std::wstring JrePathIn(std::wstring_view file) const {
        return IniFile(folder_ / file).ReadValue(L"Java Runtime Environment", L"JRE Path");
    }

    ScratchFolder folder_;
    ScopedEnvironment appData_;
    LauncherSettings settings_;
};

TEST_F(JrePathWriteBack, ApplicationWritesThePerUserFilesOnly) {
    settings_.pairProduct = folder_ / L"x64\\tool64.exe";
    WriteBackJrePath(settings_, folder_ / L"tool.beta.exe", L"D:\\Java\\jre8\\");
    EXPECT_EQ(JrePathIn(L"AppData\\My App Pro\\P1\\tool.beta.ini"), L"D:\\Java\\jre8\\");
    EXPECT_EQ(JrePathIn(L"AppData\\My App Pro\\P1\\tool64.ini"), L"D:\\Java\\jre8\\");
    EXPECT_FALSE(folder_.Exists(L"tool.beta.ini"));
    EXPECT_FALSE(folder_.Exists(L"x64"));
}

TEST_F(JrePathWriteBack, ServiceWritesTheFilesBesideThePrograms) {
    settings_.isService = true;
    folder_.Write(L"x64\\tool64.ini", "[Application]\r\nApplication Type=service\r\n");
    settings_.pairProduct = folder_ / L"x64\\tool64.exe";
    WriteBackJrePath(settings_, folder_ / L"tool.beta.exe", L"E:\\jre\\");
    EXPECT_EQ(JrePathIn(L"tool.beta.ini"), L"E:\\jre\\");
    EXPECT_EQ(JrePathIn(L"x64\\tool64.ini"), L"E:\\jre\\");
    EXPECT_FALSE(folder_.Exists(L"AppData\\My App Pro"));
}

TEST_F(JrePathWriteBack, WithoutPairProductOnlyTheOwnFile) {
    WriteBackJrePath(settings_, folder_ / L"tool.beta.exe", L"F:\\jre\\");
    EXPECT_EQ(JrePathIn(L"AppData\\My App Pro\\P1\\tool.beta.ini"), L"F:\\jre\\");
    settings_.isService = true;
    WriteBackJrePath(settings_, folder_ / L"tool", L"G:\\jre\\");  // no settings path
    EXPECT_FALSE(folder_.Exists(L"tool.ini"));
}

}  // namespace
}  // namespace launcher
