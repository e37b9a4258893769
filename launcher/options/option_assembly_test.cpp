#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "captured_output.h"
#include "options/environment_text.h"
#include "options/jvm_options.h"
#include "scoped_environment.h"
#include "scratch_folder.h"
#include "support/text_conversion.h"

namespace launcher {
namespace {

namespace fs = std::filesystem;
using testing_support::ScopedEnvironment;

constexpr std::uint64_t kMegabyte = 1024 * 1024;
const MemoryFigures kTwoGigabytes{2048 * kMegabyte, 1536 * kMegabyte};

std::wstring Environment(const wchar_t* name) {
    std::wstring value(32767, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), 32767));
    return value;
}

// A program folder of its own with a settings file beside a program that need not exist.
class OptionAssembly : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(folder_ / L"lib");
        program_ = (folder_ / L"start.exe").wstring();
    }

    void Touch(const fs::path& relative) { std::ofstream(folder_ / relative) << "x"; }

    void WriteSettings(const std::string& text) {
        std::ofstream(folder_ / L"start.ini", std::ios::binary) << text;
    }

    bool Assemble(const MemoryFigures& memory = kTwoGigabytes) {
        return AssembleOptionsFrom(request_, SettingsReader((folder_ / L"start.ini").wstring()),
                                   program_, memory);
    }

    std::string Ansi(const std::wstring& text) { return support::WideToAnsi(text); }
    std::string Folder() { return Ansi(folder_.wstring()); }

    testing_support::ScratchFolder scratch_;
    const fs::path folder_ = scratch_.Path();
    const ScopedEnvironment testDir_{L"TS_TEST_DIR", folder_.c_str()};
    const ScopedEnvironment testArg_{L"TS_TEST_ARG", L"expanded"};
    std::wstring program_;
    JvmRequest request_;
};

TEST_F(OptionAssembly, EveryKeyInItsPlace) {
    Touch(L"lib\\a.jar");
    WriteSettings(
        "[Class Path]\r\n"
        "Class Path=lib\\*.jar;missing.jar;%TS_TEST_DIR%\\x.jar;C:\\absent\\y.jar\r\n"
        "[Application]\r\n"
        "Embedded Jar=yes\r\n"
        "Output File=%TS_TEST_DIR%\\out_%HHmm%.log\r\n"
        "Output Append=yes\r\n"
        "Error File=err.log\r\n"
        "Error Append=Yes\r\n"
        "Cmd=one \"two three\"  %TS_TEST_ARG% \"\"\r\n"
        "[Java Runtime Environment]\r\n"
        "Virtual Machine Parameters=-Xmx50P \"-Dmy.dir=C:\\Program Files\\App\" -Xss512k "
        "-Dsun.java2d.dpiaware=true -Dvalue=%TS_TEST_ARG%\r\n");
    request_.arguments = {L"first"};
    request_.options = {"-Djava.library.path=kept"};

    ASSERT_TRUE(Assemble());

    const std::string f = Folder();
    EXPECT_EQ(request_.options,
              (std::vector<std::string>{
                  "-Djava.library.path=kept",
                  // The program itself first, the found jar with its full path, the missing
                  // relative entry dropped, the absolute ones kept without a look.
                  "-Djava.class.path=" + f + "\\start.exe;" + f + "\\lib\\a.jar;" + f +
                      "\\x.jar;C:\\absent\\y.jar;",
                  "-Xmx1048576K", "-Dmy.dir=C:\\Program Files\\App", "-Xss512k",
                  "-Dsun.java2d.dpiaware=true", "-Dvalue=expanded"}));
    EXPECT_EQ(request_.threadStackSize, 524288u);
    EXPECT_TRUE(::IsProcessDPIAware());

    EXPECT_EQ(request_.output.outputFile, folder_.wstring() + L"\\out_%HHmm%.log");
    EXPECT_TRUE(request_.output.outputAppend);
    EXPECT_EQ(request_.output.errorFile, L"err.log");
    EXPECT_FALSE(request_.output.errorAppend);  // only "yes" exactly
    EXPECT_EQ(request_.arguments,
              (std::vector<std::wstring>{L"first", L"one", L"two three", L"expanded"}));
}

TEST_F(OptionAssembly, WildcardTakesEveryMatchWithItsFolder) {
    Touch(L"lib\\a.jar");
    Touch(L"lib\\b.jar");
    Touch(L"lib\\notes.txt");
    WriteSettings("[Class Path]\r\nClass Path=lib\\*.jar\r\n");
    ASSERT_TRUE(Assemble());
    ASSERT_EQ(request_.options.size(), 1u);
    // The file system decides the order of the matches.
    const std::string a = Folder() + "\\lib\\a.jar;";
    const std::string b = Folder() + "\\lib\\b.jar;";
    EXPECT_TRUE(request_.options[0] == "-Djava.class.path=" + a + b ||
                request_.options[0] == "-Djava.class.path=" + b + a)
        << request_.options[0];
}

TEST_F(OptionAssembly, ClassPathsBeyondTheExpansionLimitArriveWhole) {
    // 180 jars with long names give a class path of more than 32K characters.
    const std::wstring longName(170, L'n');
    for (int i = 0; i < 180; ++i) {
        Touch(L"lib\\" + longName + std::to_wstring(i) + L".jar");
    }
    WriteSettings("[Class Path]\r\nClass Path=lib\\*.jar;%TS_TEST_DIR%\\tail.jar\r\n");
    ASSERT_TRUE(Assemble());
    const std::string& option = request_.options.at(0);
    EXPECT_GT(option.size(), 33000u);
    size_t jars = 0;
    for (size_t at = option.find(".jar;"); at != std::string::npos;
         at = option.find(".jar;", at + 1)) {
        ++jars;
    }
    EXPECT_EQ(jars, 181u);
    EXPECT_TRUE(option.ends_with(Folder() + "\\tail.jar;"));
}

TEST(ExpandVariables, LongTextsPieceByPiece) {
    const ScopedEnvironment piece(L"TS_TEST_PIECE", L"value");
    const ScopedEnvironment unset(L"TS_TEST_UNSET", nullptr);
    const ScopedEnvironment empty(L"TS_TEST_EMPTY", L"");
    EXPECT_EQ(ExpandVariables(L"a;%TS_TEST_PIECE%;%TS_TEST_UNSET%"), L"a;value;%TS_TEST_UNSET%");
    const std::wstring filler(20000, L'x');
    const std::wstring text = filler + L";%TS_TEST_PIECE%;" + filler + L";%TS_TEST_UNSET%;";
    EXPECT_EQ(ExpandVariables(text), filler + L";value;" + filler + L";%TS_TEST_UNSET%;");
    // A variable set to nothing expands to nothing, whole and piece by piece.
    EXPECT_EQ(ExpandVariables(L"%TS_TEST_EMPTY%"), L"");
    EXPECT_EQ(ExpandVariables(filler + L";%TS_TEST_EMPTY%;" + filler), filler + L";;" + filler);
    // Without a reference nothing is touched, however long.
    const std::wstring plain(70000, L'y');
    EXPECT_EQ(ExpandVariables(plain), plain);
}

TEST_F(OptionAssembly, EmbeddedJarAloneIsAClassPath) {
    WriteSettings("[Application]\r\nEmbedded Jar=YES\r\n");
    ASSERT_TRUE(Assemble());
    EXPECT_EQ(request_.options,
              std::vector<std::string>{"-Djava.class.path=" + Ansi(program_) + ";"});
}

TEST_F(OptionAssembly, EmptyClassPathStopsBeforeEverythingElse) {
    WriteSettings(
        "[Class Path]\r\nClass Path=nothing\\*.jar;missing.jar\r\n"
        "[Application]\r\nOutput File=out.log\r\nCmd=a b\r\n"
        "[Java Runtime Environment]\r\nVirtual Machine Parameters=-Xss1m\r\n");
    testing_support::CapturedOutput output;
    EXPECT_FALSE(Assemble());
    EXPECT_EQ(output.Bytes(), "Error: Java-Klassenpfad wurde in der INI-Datei nicht angegeben. \n");
    EXPECT_TRUE(request_.options.empty());
    EXPECT_EQ(request_.threadStackSize, 0u);
    EXPECT_TRUE(request_.output.outputFile.empty());
    EXPECT_TRUE(request_.arguments.empty());
}

TEST_F(OptionAssembly, MemoryNotationAndStackSizes) {
    WriteSettings(
        "[Class Path]\r\nClass Path=C:\\app.jar\r\n"
        "[Java Runtime Environment]\r\nVirtual Machine Parameters=-Xmx50:256:1024T -Xss512\r\n"
        "[Java Runtime Environment+]\r\nVirtual Machine Parameters=ignored\r\n");
    ASSERT_TRUE(Assemble());
    EXPECT_EQ(request_.options, (std::vector<std::string>{"-Djava.class.path=C:\\app.jar;",
                                                          "-Xmx786432K", "-Xss512"}));
    // The last digit is the unit.
    EXPECT_EQ(request_.threadStackSize, 51u);

    // A stack size given as a share is converted first, then sizes the thread.
    JvmRequest other;
    WriteSettings(
        "[Class Path]\r\nClass Path=C:\\app.jar\r\n"
        "[Java Runtime Environment+]\r\nVirtual Machine Parameters=-Xss0:2T\r\n");
    ASSERT_TRUE(AssembleOptionsFrom(other, SettingsReader((folder_ / L"start.ini").wstring()),
                                    program_, kTwoGigabytes));
    EXPECT_EQ(other.options.back(), "-Xss2048K");
    EXPECT_EQ(other.threadStackSize, 2097152u);
}

TEST(PrepareEnvironment, LibraryPathPathAndRuntimeVariables) {
    const std::wstring originalPath = Environment(L"Path");
    const ScopedEnvironment path(L"Path", originalPath.c_str());
    const ScopedEnvironment jvmPath(L"TS_JVM_PATH", nullptr);
    const ScopedEnvironment jvmHome(L"TS_JVM_HOME", nullptr);
    LauncherSettings settings;
    settings.libraryPath = L"C:\\native;";
    settings.systemPath = L"C:\\tools";

    EXPECT_EQ(
        PrepareEnvironmentFor(settings, L"C:\\jre\\bin\\server\\jvm.dll", L"C:\\App\\start.exe"),
        std::vector<std::string>{"-Djava.library.path=C:\\native;C:\\App\\;.;" +
                                 support::WideToAnsi(originalPath) + ";C:\\jre\\lib"});
    EXPECT_EQ(Environment(L"TS_JVM_PATH"), L"C:\\jre\\bin\\server\\jvm.dll");
    EXPECT_EQ(Environment(L"TS_JVM_HOME"), L"C:\\jre");
    EXPECT_EQ(Environment(L"Path"), L"C:\\tools;C:\\jre\\bin;" + originalPath);

    // Without "Library Path" there is no option, and PATH is still put together.
    ::SetEnvironmentVariableW(L"Path", originalPath.c_str());
    EXPECT_TRUE(PrepareEnvironmentFor(LauncherSettings{}, L"D:\\rt\\bin\\client\\jvm.dll",
                                      L"C:\\App\\start.exe")
                    .empty());
    EXPECT_EQ(Environment(L"Path"), L"D:\\rt\\bin;" + originalPath);
}

}  // namespace
}  // namespace launcher
