#include "support/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "scoped_environment.h"
#include "scratch_folder.h"

namespace support {
namespace {

// Makes the folders of path (through the long form) and an empty file at its end.
void MakeFile(const std::wstring& path) {
    const std::wstring longPath = ToLongPathForm(path);
    for (size_t cut = longPath.find(L'\\', 7); cut != std::wstring::npos;
         cut = longPath.find(L'\\', cut + 1)) {
        ::CreateDirectoryW(longPath.substr(0, cut).c_str(), nullptr);
    }
    UniqueHandle file(ValidOrNull(
        ::CreateFileW(longPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)));
    ASSERT_TRUE(file) << ::GetLastError();
}

// A file path of exactly `length` characters below base.
std::wstring PathOfLength(const std::wstring& base, size_t length) {
    std::wstring path = base + L"\\";
    while (path.size() + 101 < length) {
        path += std::wstring(99, L'd') + L"\\";
    }
    path.resize(length, L'f');
    return path;
}

// Makes files of 259, 260 and 300 characters below base and finds each through FileFinder.
void ExpectFoundAroundTheLongPathBoundary(const std::wstring& base) {
    for (size_t length : {259u, 260u, 300u}) {
        const std::wstring path = PathOfLength(base, length);
        ASSERT_EQ(path.size(), length);
        MakeFile(path);
        FileFinder finder;
        ASSERT_TRUE(finder.Search(path)) << length;
        EXPECT_EQ(finder.FirstMatch().cFileName, path.substr(path.rfind(L'\\') + 1));
        EXPECT_EQ(finder.Root(), path.substr(0, path.rfind(L'\\')));
    }
}

// A fresh folder under the test prefix's temp folder, removed with all it holds afterwards.
class TempFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(::GetFileAttributesW(root_.c_str()), INVALID_FILE_ATTRIBUTES)
            << "no scratch folder";
    }

    // A file path of exactly `length` characters below the root.
    std::wstring FilePathOfLength(size_t length) const { return PathOfLength(root_, length); }

    testing_support::ScratchFolder scratch_;
    const std::wstring root_ = scratch_.Path();
};

using FileFinderTest = TempFolder;

TEST_F(FileFinderTest, FindsFilesAroundTheLongPathBoundary) {
    ExpectFoundAroundTheLongPathBoundary(root_);
}

TEST_F(FileFinderTest, BadPatterns) {
    FileFinder finder;
    EXPECT_FALSE(finder.Search(root_ + L"\\missing.txt"));
    EXPECT_TRUE(finder.Root().empty());
    EXPECT_FALSE(finder.Search(L""));
    EXPECT_FALSE(finder.Search(std::wstring(32767, L'a')));
    MakeFile(root_ + L"\\one.ini");
    ASSERT_TRUE(finder.Search(root_ + L"\\*.ini"));
    EXPECT_EQ(std::wstring(finder.FirstMatch().cFileName), L"one.ini");
    // A second search forgets the first one's results.
    EXPECT_FALSE(finder.Search(root_ + L"\\*.none"));
    EXPECT_TRUE(finder.Root().empty());
}

using PathExistsTest = TempFolder;

TEST_F(PathExistsTest, AbsoluteOnly) {
    MakeFile(root_ + L"\\here.txt");
    EXPECT_TRUE(PathExists(root_ + L"\\here.txt"));
    EXPECT_TRUE(PathExists(root_));
    EXPECT_FALSE(PathExists(root_ + L"\\gone.txt"));
    wchar_t previous[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ::SetCurrentDirectoryW(root_.c_str());
    EXPECT_FALSE(PathExists(L"here.txt"));
    ::SetCurrentDirectoryW(previous);
    EXPECT_FALSE(PathExists(L"C:\\"));
    EXPECT_FALSE(PathExists(L""));
    EXPECT_FALSE(PathExists(L"C"));
    EXPECT_FALSE(PathExists(L"C:"));
}

using CreateParentDirectoriesTest = TempFolder;

TEST_F(CreateParentDirectoriesTest, MakesEachMissingLevelButNotTheFile) {
    const std::wstring file = root_ + L"\\out\\logs\\app.log";
    CreateParentDirectories(file);
    EXPECT_TRUE(PathExists(root_ + L"\\out\\logs"));
    EXPECT_FALSE(PathExists(file));
    CreateParentDirectories(file);  // all there: nothing to do
    EXPECT_TRUE(PathExists(root_ + L"\\out\\logs"));
}

TEST_F(CreateParentDirectoriesTest, BeyondThePlainPathLimit) {
    const std::wstring file = FilePathOfLength(400);
    CreateParentDirectories(file);
    FileFinder finder;
    EXPECT_TRUE(finder.Search(file.substr(0, file.rfind(L'\\'))));
}

TEST_F(CreateParentDirectoriesTest, RemovesTheLevelsItMadeWhenADeeperOneFails) {
    // The level below three new folders cannot be made: all three go again.
    CreateParentDirectories(root_ + L"\\new\\a\\b\\bad|name\\x\\app.log");
    EXPECT_FALSE(PathExists(root_ + L"\\new"));

    // Levels that existed before are kept, the ones made below them go.
    ASSERT_TRUE(::CreateDirectoryW((root_ + L"\\kept").c_str(), nullptr));
    MakeFile(root_ + L"\\kept\\blocker");
    CreateParentDirectories(root_ + L"\\kept\\one\\two\\bad|name\\app.log");
    EXPECT_TRUE(PathExists(root_ + L"\\kept\\blocker"));
    EXPECT_FALSE(PathExists(root_ + L"\\kept\\one"));
    CreateParentDirectories(root_ + L"\\kept\\blocker\\x\\app.log");
    EXPECT_TRUE(PathExists(root_ + L"\\kept\\blocker"));
}

TEST_F(CreateParentDirectoriesTest, MakesNothingForUncRootsRelativeOrEmptyPaths) {
    // Nothing can be made below a share that does not exist, nor for a path without a root;
    // in particular nothing lands in the current folder.
    wchar_t previous[MAX_PATH];
    ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, previous), 0u);
    ASSERT_TRUE(::SetCurrentDirectoryW(root_.c_str()));
    CreateParentDirectories(L"\\\\nohost\\noshare\\logs\\app.log");
    CreateParentDirectories(L"relative\\x.log");
    CreateParentDirectories(L"");
    ::SetCurrentDirectoryW(previous);
    EXPECT_TRUE(std::filesystem::is_empty(root_)) << "something was made in the current folder";
}

// UNC paths reach real files on either side of the plain path limit, through the long form
// "\\?\UNC\server\share\..." beyond it.
TEST(UncPaths, FindsFilesAroundTheLongPathBoundary) {
    const testing_support::UncShare share;
    ASSERT_FALSE(share.Path().empty()) << "no UNC share in the wine prefix";
    ExpectFoundAroundTheLongPathBoundary(share.Path());
    EXPECT_TRUE(PathExists(PathOfLength(share.Path(), 259)));
}

TEST(UncPaths, CreateParentDirectoriesMakesTheLevelsBelowTheShare) {
    const testing_support::UncShare share;
    ASSERT_FALSE(share.Path().empty()) << "no UNC share in the wine prefix";
    const std::wstring file = share.Path() + L"\\logs\\deep\\app.log";
    CreateParentDirectories(file);
    EXPECT_TRUE(PathExists(share.Path() + L"\\logs\\deep"));
    EXPECT_FALSE(PathExists(file));

    // Beyond the plain limit the levels are made through the long form.
    const std::wstring deep = PathOfLength(share.Path() + L"\\long", 400);
    CreateParentDirectories(deep);
    FileFinder finder;
    EXPECT_TRUE(finder.Search(deep.substr(0, deep.rfind(L'\\'))));
}

TEST(RemoveDirectoryLong, ShortLongAndMissing) {
    const testing_support::ScratchFolder scratch;
    const std::wstring path = scratch / L"rmdir";
    ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
    EXPECT_TRUE(RemoveDirectoryLong(path));
    EXPECT_FALSE(RemoveDirectoryLong(path));

    const std::wstring longPath = path + L"\\" + std::wstring(250, L'l');
    ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + longPath).c_str(), nullptr));
    EXPECT_TRUE(RemoveDirectoryLong(longPath));
    EXPECT_TRUE(RemoveDirectoryLong(path));
}

TEST(ExpandEnvironment, ExpandsKnownAndKeepsUnknown) {
    using testing_support::ScopedEnvironment;
    const ScopedEnvironment home(L"TS_EXPAND_HOME", L"C:\\java home");
    const ScopedEnvironment unset(L"TS_UNSET_VARIABLE", nullptr);
    const ScopedEnvironment empty(L"TS_EXPAND_EMPTY", L"");
    const std::wstring big(30000, L'x');
    const ScopedEnvironment bigSet(L"TS_EXPAND_BIG", big.c_str());
    EXPECT_EQ(ExpandEnvironment(L"%TS_EXPAND_HOME%\\bin"), L"C:\\java home\\bin");
    EXPECT_EQ(ExpandEnvironment(L"%TS_UNSET_VARIABLE%"), L"%TS_UNSET_VARIABLE%");
    EXPECT_EQ(ExpandEnvironment(L""), L"");
    EXPECT_EQ(TryExpandEnvironment(L"%TS_EXPAND_EMPTY%"), std::wstring());
    EXPECT_EQ(ExpandEnvironment(L"%TS_EXPAND_BIG%!"), big + L"!");
    // Past the system's limit the answer is the whole text or a failure (empty), never a cut
    // text taken for the expansion.
    const std::optional<std::wstring> twice =
        TryExpandEnvironment(L"%TS_EXPAND_BIG%%TS_EXPAND_BIG%");
    if (twice.has_value()) {
        EXPECT_EQ(twice->size(), 2 * big.size());
        EXPECT_TRUE(*twice == big + big);
    } else {
        EXPECT_EQ(ExpandEnvironment(L"%TS_EXPAND_BIG%%TS_EXPAND_BIG%"), L"");
    }
}

}  // namespace
}  // namespace support
