#include "support/path_text.h"

#include <gtest/gtest.h>

namespace support {
namespace {

using Parts = std::vector<std::wstring>;

std::wstring PathOfLength(std::wstring prefix, size_t length) {
    prefix.resize(length, L'a');
    return prefix;
}

TEST(ToLongPathForm, LengthBoundaryOnDrivePaths) {
    const std::wstring at259 = PathOfLength(L"C:\\", 259);
    const std::wstring at260 = PathOfLength(L"C:\\", 260);
    EXPECT_EQ(ToLongPathForm(at259), at259);
    EXPECT_EQ(ToLongPathForm(at260), L"\\\\?\\" + at260);
    const std::wstring already = L"\\\\?\\" + at260;
    EXPECT_EQ(ToLongPathForm(already), already);
}

TEST(ToLongPathForm, UncPaths) {
    const std::wstring unc = PathOfLength(L"\\\\srv\\share\\", 300);
    EXPECT_EQ(ToLongPathForm(unc), L"\\\\?\\UNC\\" + unc.substr(2));
    const std::wstring already = L"\\\\?\\UNC\\" + unc.substr(2);
    EXPECT_EQ(ToLongPathForm(already), already);
    EXPECT_EQ(ToLongPathForm(PathOfLength(L"\\\\srv\\share\\", 259)),
              PathOfLength(L"\\\\srv\\share\\", 259));
}

TEST(ToLongPathForm, LongRelativePathsHaveNoLongForm) {
    // With the prefix, "UNC\..." would become a network path and the others other places.
    for (const wchar_t* start : {L"UNC\\srv\\share\\", L"dir\\", L"C:dir\\", L"\\dir\\"}) {
        const std::wstring relative = PathOfLength(start, 300);
        EXPECT_EQ(ToLongPathForm(relative), relative);
    }
}

TEST(ToLongPathForm, EmptyAndShort) {
    EXPECT_EQ(ToLongPathForm(L""), L"");
    EXPECT_EQ(ToLongPathForm(L"C:"), L"C:");
}

TEST(SplitPath, Examples) {
    EXPECT_EQ(SplitPath(L"C:\\a\\b"), (Parts{L"C:", L"a", L"b"}));
    EXPECT_EQ(SplitPath(L"\\\\srv\\share\\x"), (Parts{L"\\\\srv", L"share", L"x"}));
    EXPECT_EQ(SplitPath(L"\\\\?\\UNC\\srv\\share\\x"), (Parts{L"\\\\?\\UNC\\srv", L"share", L"x"}));
    EXPECT_EQ(SplitPath(L"\\\\?\\C:\\a"), (Parts{L"\\\\?\\C:", L"a"}));
}

TEST(SplitPath, DegenerateInputs) {
    EXPECT_EQ(SplitPath(L""), (Parts{L""}));
    EXPECT_EQ(SplitPath(L"C:"), (Parts{L"C:"}));
    EXPECT_EQ(SplitPath(L"C:\\"), (Parts{L"C:"}));
    EXPECT_EQ(SplitPath(L"\\\\srv"), (Parts{L"\\\\srv"}));
    EXPECT_EQ(SplitPath(L"\\\\?\\"), (Parts{L"\\\\?\\"}));
    EXPECT_EQ(SplitPath(L"C:\\a\\\\b"), (Parts{L"C:", L"a", L"", L"b"}));
}

TEST(IsAbsolutePathShape, Shapes) {
    EXPECT_TRUE(IsAbsolutePathShape(L"C:\\x"));
    EXPECT_TRUE(IsAbsolutePathShape(L"C:"));
    EXPECT_TRUE(IsAbsolutePathShape(L"\\\\srv"));
    EXPECT_TRUE(IsAbsolutePathShape(L"\\:"));
    EXPECT_FALSE(IsAbsolutePathShape(L"relative\\file.txt"));
    EXPECT_FALSE(IsAbsolutePathShape(L"\\x"));
    EXPECT_FALSE(IsAbsolutePathShape(L"C"));
    EXPECT_FALSE(IsAbsolutePathShape(L""));
}

}  // namespace
}  // namespace support
