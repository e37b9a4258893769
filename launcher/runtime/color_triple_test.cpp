#include "runtime/color_triple.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

constexpr ColorValue Rgb(ColorValue r, ColorValue g, ColorValue b) {
    return r | g << 8 | b << 16;
}

TEST(ParseColorTriple, ReadsOrRejects) {
    const std::optional<ColorValue> invalid;
    const struct {
        const wchar_t* text;
        std::optional<ColorValue> color;
    } cases[] = {
        {L"0,128,255", Rgb(0, 128, 255)},
        {L"128,0,128", Rgb(128, 0, 128)},
        {L"12,34", invalid},   // one comma
        {L"12,34,", invalid},  // nothing after the second comma
        {L"", invalid},
        {L"1 2 3", invalid},
        {L"300,0,0", Rgb(44, 0, 0)},  // low 8 bits
        {L"0,256,511", Rgb(0, 0, 255)},
        {L"-1,0,0", invalid},
        {L"0,-1,0", invalid},
        {L"0,0,-1", Rgb(0, 0, 255)},  // only the first two are checked for -1
        {L"-2,0,0", Rgb(254, 0, 0)},
        {L" 10,\t20,  30", Rgb(10, 20, 30)},
        {L"+10,+20,+30", Rgb(10, 20, 30)},
        {L"10 ,20x,30;", Rgb(10, 20, 30)},     // each number ends at its first non-digit
        {L"a,b,c", Rgb(0, 0, 0)},              // no digits read as 0
        {L"1,2,3,4", Rgb(1, 2, 3)},            // the third number stops at the third comma
        {L"- 5,0,0", Rgb(0, 0, 0)},            // a sign must touch its digits
        {L"99999999999,0,0", Rgb(255, 0, 0)},  // out of range sticks at the limit
        {L"-99999999999,0,0", Rgb(0, 0, 0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseColorTriple(c.text), c.color)
            << testing::PrintToString(std::wstring(c.text));
    }
}

}  // namespace
}  // namespace launcher
