#include "support/path_separators.h"

#include <gtest/gtest.h>

namespace {

struct SeparatorCase {
    const char* path;
    const char* normalized;
};

// clang-format off
const SeparatorCase kCases[] = {
    {"",                          ""},
    {"C:\\Briefe\\Brief.doc",     "C:\\Briefe\\Brief.doc"},
    {"C:/Briefe/Brief.doc",       "C:\\Briefe\\Brief.doc"},
    {"C:\\\\Briefe\\\\Brief.doc", "C:\\Briefe\\Brief.doc"},
    {"C://Briefe",                "C:\\Briefe"},
    {"\\\\srv\\share\\a.doc",     "\\\\srv\\share\\a.doc"},
    {"//srv/share/a.doc",         "\\\\srv\\share\\a.doc"},
    {"/\\srv\\share",             "\\\\srv\\share"},
    // A path from the root of the current drive stays one.
    {"\\Briefe\\a.doc",           "\\Briefe\\a.doc"},
    {"/Briefe/a.doc",             "\\Briefe\\a.doc"},
    // One pass from the left, pairs do not overlap.
    {"a\\\\\\b",                  "a\\\\b"},
    {"a\\\\\\\\b",                "a\\\\b"},
    {"\\\\\\srv",                 "\\\\\\srv"},
    {"\\",                        "\\"},
    {"\\\\",                      "\\\\"},
    {"C:\\dir\\",                 "C:\\dir\\"},
};
// clang-format on

TEST(NormalizePathSeparators, Table) {
    for (const auto& c : kCases) {
        EXPECT_EQ(support::NormalizePathSeparators(std::string_view(c.path)), c.normalized)
            << c.path;
        const std::string narrow(c.path);
        const std::wstring wide(narrow.begin(), narrow.end());
        const std::string expected(c.normalized);
        EXPECT_EQ(support::NormalizePathSeparators(std::wstring_view(wide)),
                  std::wstring(expected.begin(), expected.end()))
            << c.path;
    }
}

}  // namespace
