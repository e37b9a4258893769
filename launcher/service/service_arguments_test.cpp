#include "service/service_arguments.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

struct Case {
    const char* what;
    std::vector<const wchar_t*> received;
    bool omitServiceName;
    std::vector<std::wstring> expected;
};

TEST(ServiceArguments, FollowTheLaunchersOwnInOrder) {
    const std::vector<Case> cases{
        {"name and parameters", {L"Alpha", L"-x", L"y"}, false, {L"own", L"Alpha", L"-x", L"y"}},
        {"name omitted", {L"Alpha", L"-x", L"y"}, true, {L"own", L"-x", L"y"}},
        {"name only", {L"Alpha"}, false, {L"own", L"Alpha"}},
        {"name only, omitted", {L"Alpha"}, true, {L"own"}},
        {"empty list", {}, false, {L"own"}},
        {"empty list, omitted", {}, true, {L"own"}},
        {"null and empty entries", {L"Alpha", nullptr, L""}, false, {L"own", L"Alpha", L"", L""}},
        {"text beyond the BMP",
         {L"Gr\u00fc\u00dfe", L"\U0001F600"},
         false,
         {L"own", L"Gr\u00fc\u00dfe", L"\U0001F600"}},
    };
    for (const Case& c : cases) {
        std::vector<std::wstring> arguments{L"own"};
        AppendServiceArguments(arguments, c.received, c.omitServiceName);
        EXPECT_EQ(arguments, c.expected) << c.what;
    }
}

}  // namespace
}  // namespace launcher
