#include "delivery/registry_value.h"

#include <gtest/gtest.h>

#include "scoped_environment.h"

namespace mailer {
namespace {

constexpr wchar_t kKey[] = L"Software\\TsMailerTest\\Values";

void Put(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, type, data, size), ERROR_SUCCESS);
}

void PutText(const wchar_t* name, DWORD type, const std::wstring& text) {
    Put(name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

TEST(RegistryValue, EachTypeAsText) {
    const testing_support::ScopedEnvironment folder(L"TS_MAILER_DIR", L"D:\\Mail");
    PutText(L"plain", REG_SZ, L"C:\\Live\\msoe.dll");
    PutText(L"expand", REG_EXPAND_SZ, L"%TS_MAILER_DIR%\\msoe.dll");
    PutText(L"plainWithPercent", REG_SZ, L"%TS_MAILER_DIR%");
    Put(L"cut", REG_SZ, L"ab\0cd", 5 * sizeof(wchar_t));
    const BYTE one[] = {0x7F};
    const BYTE two[] = {0x34, 0x12};
    const BYTE negative[] = {0xFF, 0xFF};
    const BYTE three[] = {1, 2, 3};
    const DWORD dword = 5;
    Put(L"one", REG_BINARY, one, sizeof one);
    Put(L"two", REG_BINARY, two, sizeof two);
    Put(L"negative", REG_BINARY, negative, sizeof negative);
    Put(L"three", REG_BINARY, three, sizeof three);
    Put(L"dword", REG_DWORD, &dword, sizeof dword);

    const struct {
        const wchar_t* name;
        std::wstring text;
    } cases[] = {
        {L"plain", L"C:\\Live\\msoe.dll"},
        {L"expand", L"D:\\Mail\\msoe.dll"},
        {L"plainWithPercent", L"%TS_MAILER_DIR%"},
        {L"cut", L"ab"},
        {L"one", L"127"},
        {L"two", L"4660"},
        {L"negative", L"-1"},
        {L"three", L""},
        {L"dword", L""},
        {L"missing", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fWertLesen(HKEY_CURRENT_USER, kKey, c.name), c.text)
            << static_cast<int>(c.name[0]);
    }
    EXPECT_EQ(fWertLesen(HKEY_CURRENT_USER, L"Software\\TsMailerTest\\None", L"plain"), L"");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TsMailerTest");
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TsMailerTest");
}

}  // namespace
}  // namespace mailer
