#include "settings/launcher_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "captured_output.h"
#include "scoped_environment.h"
#include "scratch_folder.h"
#include "test_text.h"

namespace launcher {
namespace {

using testing_support::CapturedOutput;
using testing_support::ScopedEnvironment;
using testing_support::ScratchFolder;

// A program tool.beta.exe in a scratch folder, its settings file beside it and APPDATA
// pointing into the scratch folder too.
class Settings : public testing::Test {
  protected:
    Settings() : appData_(L"APPDATA", (folder_ / L"AppData").c_str()) {}

    std::wstring Program() const { return folder_ / L"tool.beta.exe"; }

    // Loads with the given settings text; the main class is added unless asked not to.
    LauncherSettings Load(const std::string& text, bool withMainClass = true) {
        // A section named twice counts only once, so the main class joins an existing one.
        std::string file = text;
        if (withMainClass) {
            const std::string section = "[Java Runtime Environment]\r\n";
            const std::string mainClass = "Main Class=com.example.App\r\n";
            const size_t at = file.find(section);
            if (at == std::string::npos) {
                file += section + mainClass;
            } else {
                file.insert(at + section.size(), mainClass);
            }
        }
        folder_.Write(L"tool.beta.ini", file);
        LauncherSettings settings;
        loaded_ = LoadLauncherSettingsFor(Program(), settings);
        return settings;
    }

    ScratchFolder folder_;
    ScopedEnvironment appData_;
    bool loaded_ = false;
};

TEST_F(Settings, DefaultsOfAFileWithOnlyAMainClass) {
    const LauncherSettings s = Load("");
    ASSERT_TRUE(loaded_);
    EXPECT_EQ(s.mainClass, L"com/example/App");
    EXPECT_EQ(s.minimumVersion, (Version{{0, 0, 0, 0}, 0}));
    EXPECT_EQ(s.maximumVersion, (Version{{0, 0, 0, 0}, 0}));
    EXPECT_FALSE(s.isService);
    EXPECT_TRUE(s.preferredVersions.empty());
    EXPECT_EQ(s.jrePath, L"");
    EXPECT_EQ(s.jvmType, kJvmTypeAny);
    EXPECT_TRUE(s.favorKind && s.allowJdk && s.allowJre);
    EXPECT_TRUE(s.acceptSun && s.preferSun);
    EXPECT_FALSE(s.acceptJrockit || s.preferJrockit || s.acceptIbm || s.preferIbm);
    EXPECT_FALSE(s.failureCheck || s.overrideWorkingDir || s.pairReturnCode);
    EXPECT_TRUE(s.searchOpenJdkRegistrations);
    EXPECT_FALSE(s.classDataArchive);
    EXPECT_TRUE(s.exceptionDialog);
}

TEST_F(Settings, EveryKeyIsReadFromItsSection) {
    const LauncherSettings s = Load(
        "[Product Information]\r\nProduct Code=P1\r\nProduct Name=My App: Pro\r\n"
        "[Java Runtime Environment]\r\nMinimum Version=1.6\r\nMaximum Version=1.8\r\n"
        "Preferred versions=1.8;;1.7;\r\nJRE Path=D:\\jre\r\nJVM Type=favor_server\r\n"
        "JVM Source=only_JDK\r\nVM Provider=Favor_IBM\r\nMain Class=org.demo.Main\r\n"
        "System Path=C:\\bin\r\nLibrary Path=C:\\native;\r\nIgnore OpenJDK Registry=yes\r\n"
        "Class Data Archive= On \r\n[Application]\r\nApplication Type=service\r\nOmit Service "
        "Name=1\r\n"
        "Failure Check=YES\r\nOverride WorkingDir=yes\r\nPair Product=C:\\x64\\tool.exe\r\n"
        "Pair Return Code=Yes\r\nException Dialog= OFF\r\n",
        false);
    ASSERT_TRUE(loaded_);
    EXPECT_EQ(s.productCode, L"P1");
    EXPECT_EQ(s.productName, L"My App: Pro");
    EXPECT_EQ(s.minimumVersion, (Version{{1, 6, 0, 0}, 2}));
    EXPECT_EQ(s.maximumVersion, (Version{{1, 8, 65535, 65535}, 2}));
    EXPECT_EQ(s.preferredVersions, (std::vector<std::wstring>{L"1.8", L"", L"1.7"}));
    EXPECT_EQ(s.jrePath, L"D:\\jre");
    EXPECT_EQ(s.jvmType, kJvmTypeFavorServer);
    EXPECT_FALSE(s.favorKind);
    EXPECT_TRUE(s.allowJdk);
    EXPECT_FALSE(s.allowJre);
    EXPECT_TRUE(s.acceptJrockit && s.acceptSun && s.acceptIbm && s.preferIbm);
    EXPECT_FALSE(s.preferJrockit || s.preferSun);
    EXPECT_EQ(s.mainClass, L"org/demo/Main");
    EXPECT_EQ(s.systemPath, L"C:\\bin");
    EXPECT_EQ(s.libraryPath, L"C:\\native;");
    EXPECT_TRUE(s.isService);
    EXPECT_TRUE(s.omitServiceName);
    EXPECT_TRUE(s.failureCheck);
    EXPECT_TRUE(s.overrideWorkingDir);
    EXPECT_EQ(s.pairProduct, L"C:\\x64\\tool.exe");
    EXPECT_TRUE(s.pairReturnCode);
    EXPECT_FALSE(s.searchOpenJdkRegistrations);
    EXPECT_TRUE(s.classDataArchive);
    EXPECT_FALSE(s.exceptionDialog);
}

// The words themselves: SettingValues. Here: each key reaches its rule.
TEST_F(Settings, ExactWordsAreCaseSensitive) {
    const LauncherSettings s = Load(
        "[Application]\r\nApplication Type=Service\r\nOmit Service Name=1\r\n"
        "[Java Runtime Environment]\r\nJVM Source=favor_jdk\r\nMaximum Version=Any\r\n");
    EXPECT_FALSE(s.isService);
    EXPECT_FALSE(s.omitServiceName);  // read for a service only
    EXPECT_FALSE(s.favorKind || s.allowJdk || s.allowJre);
    EXPECT_EQ(s.maximumVersion, (Version{{0, 0, 0, 0}, 0}));
}

TEST_F(Settings, PlusSectionValuesCarryABlank) {
    const LauncherSettings s = Load(
        "[Application+]\r\nFailure Check=Yes\r\nApplication Type=service\r\n"
        "[Java Runtime Environment+]\r\nSystem Path=C:\\tools\r\nJVM Type=server\r\n"
        "VM Provider=ibm\r\n");
    EXPECT_FALSE(s.failureCheck);
    EXPECT_FALSE(s.isService);
    EXPECT_EQ(s.jvmType, kJvmTypeAny);
    EXPECT_FALSE(s.acceptIbm);
    EXPECT_EQ(s.systemPath, L" C:\\tools");
}

TEST_F(Settings, JrePathRelativeToTheProgramFolder) {
    const struct {
        const char* value;
        std::wstring expected;
    } cases[] = {
        {"jre", folder_.Path() + L"\\jre"},
        {"\\\\server\\share\\jre", L"\\\\server\\share\\jre"},
        {"D:\\jre", L"D:\\jre"},
        {"j", folder_.Path() + L"\\j"},
    };
    for (const auto& c : cases) {
        const LauncherSettings s =
            Load(std::string("[Java Runtime Environment]\r\nJRE Path=") + c.value + "\r\n");
        EXPECT_EQ(s.jrePath, c.expected) << c.value;
    }
}

TEST_F(Settings, PerUserJrePathWinsInApplicationModeOnly) {
    const std::string product =
        "[Product Information]\r\nProduct Code=P1\r\nProduct Name=My App: Pro\r\n"
        "[Java Runtime Environment]\r\nJRE Path=D:\\main\r\n";
    EXPECT_EQ(Load(product).jrePath, L"D:\\main");  // no per-user file yet

    folder_.Write(L"AppData\\My App Pro\\P1\\tool.beta.ini",
                  "[Java Runtime Environment]\r\nJRE Path=D:\\user\\\r\n");
    EXPECT_EQ(Load(product).jrePath, L"D:\\user\\");
    EXPECT_EQ(Load(product + "[Application]\r\nApplication Type=service\r\n").jrePath, L"D:\\main");

    // A per-user file without the key still decides: the main file is not consulted.
    folder_.Write(L"AppData\\My App Pro\\P1\\tool.beta.ini", "[Other]\r\nx=1\r\n");
    EXPECT_EQ(Load(product).jrePath, L"");
    // Nor does its "+" section count.
    folder_.Write(L"AppData\\My App Pro\\P1\\tool.beta.ini",
                  "[Java Runtime Environment+]\r\nJRE Path=D:\\plus\r\n");
    EXPECT_EQ(Load(product).jrePath, L"");
}

TEST_F(Settings, WithoutAppDataOnlyTheMainFileCounts) {
    ScopedEnvironment noAppData(L"APPDATA", nullptr);
    EXPECT_EQ(Load("[Java Runtime Environment]\r\nJRE Path=D:\\main\r\n").jrePath, L"D:\\main");
}

TEST_F(Settings, LongValuesAreReadWhole) {
    const std::string path300(300, 'p');
    const std::string path3000(3000, 'q');
    const LauncherSettings s = Load("[Java Runtime Environment]\r\nSystem Path=" + path300 +
                                    "\r\nLibrary Path=" + path3000 + "\r\n");
    EXPECT_EQ(s.systemPath, std::wstring(300, L'p'));
    EXPECT_EQ(s.libraryPath, std::wstring(3000, L'q'));
}

// Every complete settings file that the docs show (an "ini" block with a main class) loads, and
// sets a maximum version, without which no registered runtime would pass.
TEST_F(Settings, EveryExampleInTheDocsLoads) {
    int examples = 0;
    for (const auto& page :
         std::filesystem::directory_iterator(testing_support::WinePath(TS_DOCS_DIR))) {
        const std::vector<std::string> lines =
            testing_support::Lines(testing_support::ReadFileBytes(page.path()));
        for (size_t at = 0; at < lines.size(); ++at) {
            const size_t indent = lines[at].find("```ini");
            if (indent == std::string::npos) {
                continue;
            }
            std::string text;
            while (++at < lines.size() && lines[at].find("```") == std::string::npos) {
                text += lines[at].substr(std::min(indent, lines[at].size())) + "\r\n";
            }
            if (text.find("Main Class=") == std::string::npos) {
                continue;  // a fragment
            }
            SCOPED_TRACE(page.path().filename().string() + ":\n" + text);
            ++examples;
            const LauncherSettings s = Load(text, false);
            EXPECT_TRUE(loaded_);
            EXPECT_NE(s.maximumVersion.groups, 0);
        }
    }
    EXPECT_GE(examples, 3);
}

TEST_F(Settings, MissingMainClassIsReportedAndFails) {
    CapturedOutput output;
    Load("[Java Runtime Environment]\r\nJRE Path=D:\\jre\r\n", false);
    EXPECT_FALSE(loaded_);
    EXPECT_EQ(output.Bytes(), "Error: Main class in der INI-Datei nicht spezifiziert. \n");
}

}  // namespace
}  // namespace launcher
