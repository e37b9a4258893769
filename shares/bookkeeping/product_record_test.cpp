#include "bookkeeping/product_record.h"

#include <gtest/gtest.h>

namespace pubdirs {
namespace {

using Ids = std::vector<std::wstring>;

TEST(ShareIdList, ReadsWellFormedCutShortAndPaddedData) {
    const std::wstring_view nul(L"\0", 1);
    struct Case {
        std::wstring data;
        Ids ids;
    };
    const Case cases[] = {
        {std::wstring(L"Exchange\0Templates\0\0", 20), {L"Exchange", L"Templates"}},
        {std::wstring(L"Exchange\0Templates", 18), {L"Exchange", L"Templates"}},  // cut short
        {std::wstring(L"\0\0Exchange\0\0\0", 13), {L"Exchange"}},
        {std::wstring(nul), {}},
        {L"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitShareIdList(c.data), c.ids) << c.data.size();
    }
    EXPECT_EQ(JoinShareIdList({L"Exchange", L"Templates"}),
              std::wstring(L"Exchange\0Templates\0\0", 20));
    EXPECT_EQ(JoinShareIdList({}), std::wstring(nul));
    const Ids ids{L"Ex change", L"{ID}", L"Ä"};
    EXPECT_EQ(SplitShareIdList(JoinShareIdList(ids)), ids);
}

TEST(LowersCount, OnlyACountThisProductOrAnUnrecordedInstallationRaised) {
    struct Case {
        CountClaim claim;
        bool lowers;
        const char* why;
    };
    const Case cases[] = {
        {{true, true, false, 1, 1}, true, "removal of a product that counted it"},
        {{true, true, true, 2, 2}, true, "rollback of an installation that counted it"},
        {{false, true, false, 1, 1}, false, "another product holds the only count"},
        {{false, true, false, 2, 1}, true, "an earlier build's installation holds a count"},
        {{false, true, false, 1, 0}, true, "a product of an earlier build, alone"},
        {{false, true, true, 1, 0}, false, "a rollback never lowers what it did not record"},
        {{false, false, true, 1, 0}, true, "without a product code the rollback counted bare"},
        {{false, false, false, 1, 1}, false, "no product code, every count claimed"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LowersCount(c.claim), c.lowers) << c.why;
    }
}

}  // namespace
}  // namespace pubdirs
