#include "delivery/path_parts.h"

#include <gtest/gtest.h>

namespace mailer {
namespace {

TEST(PathParts, NameAndParentFolder) {
    const struct {
        std::wstring path, name, parent;
    } cases[] = {
        {L"C:\\Docs\\a.pdf", L"a.pdf", L"C:\\Docs"},
        {L"C:\\a.pdf", L"a.pdf", L"C:\\"},
        {L"C:/Docs/sub/a.pdf", L"a.pdf", L"C:/Docs/sub"},
        {L"C:\\Docs\\\\a.pdf", L"a.pdf", L"C:\\Docs"},
        {L"C:\\Docs\\", L"Docs", L"C:\\"},
        {L"\\\\srv\\share\\a.pdf", L"a.pdf", L"\\\\srv\\share"},
        {L"a.pdf", L"a.pdf", L""},
        {L"C:a.pdf", L"a.pdf", L"C:"},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNameOf(c.path), c.name) << c.path.size();
        EXPECT_EQ(ParentFolderOf(c.path), c.parent) << c.path.size();
    }
}

}  // namespace
}  // namespace mailer
