#include "single_instance/instance_block.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

using Units = std::vector<char16_t>;
using List = std::vector<std::u16string>;

TEST(InstanceBlock, NamesComeFromTheModulePath) {
    EXPECT_EQ(InstanceBaseName(L"C:\\Apps\\tool.exe"), L"C:_Apps_tool.exe");
    EXPECT_EQ(StartEventName(L"C:_Apps_tool.exe"), L"C:_Apps_tool.exe_upr_evt");
}

TEST(InstanceBlock, PackedListIsZeroSeparatedWithAClosingZero) {
    EXPECT_EQ(PackArguments({u"a", u"b"}), (Units{u'a', 0, u'b', 0, 0}));
    EXPECT_EQ(PackArguments({}), (Units{0}));
    // Units outside the Basic Multilingual Plane travel as their surrogate pair.
    EXPECT_EQ(PackArguments({u"\U0001F600"}), (Units{0xD83D, 0xDE00, 0, 0}));
}

TEST(InstanceBlock, TheLimitIs1040Bytes) {
    // 259 * 4 + 2 and 518 * 2 + 4 bytes fit; one unit more does not.
    EXPECT_TRUE(PackArguments(List(259, u"x")));
    EXPECT_FALSE(PackArguments(List(260, u"x")));
    EXPECT_TRUE(PackArguments({std::u16string(518, u'x')}));
    EXPECT_FALSE(PackArguments({std::u16string(519, u'x')}));
}

TEST(InstanceBlock, ReadingBackFollowsTheZeroUnits) {
    struct Case {
        Units area;
        List expected;
    };
    const Case cases[] = {
        {{u'a', 0, u'b', 0, 0, u'z', 0}, {u"a", u"b"}},
        {Units(kArgumentAreaUnits, 0), {u""}},  // an untouched area: one empty string
        {{u'a', 0, 0, u'b', 0, 0}, {u"a"}},     // an empty argument ends the list
        {{u'a', 0, u'b', 0}, {u"a", u"b"}},     // the area ends after a terminator
        {{u'a', 0, u'b', u'c'}, {u"a"}},        // a string still open at the end is dropped
        {{u'a', u'b'}, {}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnpackArguments(c.area), c.expected);
    }
}

TEST(InstanceBlock, TheAreaFitsTheBlock) {
    EXPECT_EQ(kArgumentOffset + kArgumentAreaUnits * 2, kInstanceBlockSize);
    // A full area without any zero unit is read up to its end and not beyond.
    const Units full(kArgumentAreaUnits, u'q');
    EXPECT_TRUE(UnpackArguments(full).empty());
}

}  // namespace
}  // namespace launcher
