#include "support/registry_key.h"

#include <gtest/gtest.h>

namespace support {
namespace {

// Writes test keys below HKLM in one view and removes them afterwards.
class RegistryFixture : public ::testing::Test {
  protected:
    static constexpr const wchar_t* kBase = L"Software\\TsSupportTest";

    void Write(RegistryView view, const std::wstring& subkey, const std::wstring& name, DWORD type,
               const void* data, DWORD bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(
            ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(kBase) + subkey).c_str(), 0,
                              nullptr, 0, KEY_ALL_ACCESS | ViewFlag(view), nullptr, &key, nullptr),
            ERROR_SUCCESS);
        UniqueKey owner(key);
        if (!name.empty() || data != nullptr) {
            ASSERT_EQ(
                ::RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes),
                ERROR_SUCCESS);
        }
    }
    void WriteText(RegistryView view, const std::wstring& subkey, const std::wstring& text) {
        Write(view, subkey, L"JavaHome", REG_SZ, text.c_str(),
              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    void TearDown() override {
        for (RegistryView view : {RegistryView::Bits32, RegistryView::Bits64}) {
            HKEY base = nullptr;
            if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | ViewFlag(view),
                                &base) == ERROR_SUCCESS) {
                UniqueKey owner(base);
                ::RegDeleteTreeW(base, L"TsSupportTest");
            }
        }
    }
    static REGSAM ViewFlag(RegistryView view) { return static_cast<REGSAM>(view) * 0x100; }
    static std::wstring Key(const std::wstring& subkey) { return std::wstring(kBase) + subkey; }
};

TEST_F(RegistryFixture, ViewsSeeTheirOwnKeys) {
    WriteText(RegistryView::Bits32, L"\\JRE\\1.8", L"C:\\jre32");
    WriteText(RegistryView::Bits64, L"\\JRE\\17", L"C:\\jre64");

    EXPECT_EQ(RegistryKey(Key(L"\\JRE"), RegistryView::Bits32).SubkeyNames(),
              std::vector<std::wstring>{L"1.8"});
    EXPECT_EQ(RegistryKey(Key(L"\\JRE"), RegistryView::Bits64).SubkeyNames(),
              std::vector<std::wstring>{L"17"});
    // The default view is the program's own bitness.
    EXPECT_EQ(RegistryKey(Key(L"\\JRE"), RegistryView::Default).SubkeyNames(),
              std::vector<std::wstring>{sizeof(void*) == 4 ? L"1.8" : L"17"});
    EXPECT_EQ(RegistryKey(Key(L"\\JRE\\17"), RegistryView::Bits64).ReadText(L"JavaHome"),
              L"C:\\jre64");
    EXPECT_EQ(RegistryKey(Key(L"\\JRE\\17"), RegistryView::Bits32).ReadText(L"JavaHome"), L"");
}

TEST_F(RegistryFixture, MissingKeyGivesNothing) {
    const RegistryKey missing(Key(L"\\Nowhere"), RegistryView::Default);
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_TRUE(missing.SubkeyNames().empty());
    EXPECT_EQ(missing.ReadText(L"JavaHome"), L"");
}

TEST_F(RegistryFixture, SubkeysInEnumerationOrder) {
    for (const wchar_t* name : {L"1.6", L"1.7", L"1.8.0_251", L"9"}) {
        Write(RegistryView::Bits32, std::wstring(L"\\Many\\") + name, L"", REG_SZ, nullptr, 0);
    }
    EXPECT_EQ(RegistryKey(Key(L"\\Many"), RegistryView::Bits32).SubkeyNames(),
              (std::vector<std::wstring>{L"1.6", L"1.7", L"1.8.0_251", L"9"}));
}

TEST_F(RegistryFixture, ValuesOfAnyTypeAndOddSize) {
    const std::wstring expand = L"%SystemRoot%\\java";
    Write(RegistryView::Bits32, L"\\V", L"Expand", REG_EXPAND_SZ, expand.c_str(),
          static_cast<DWORD>((expand.size() + 1) * 2));
    const wchar_t noTerminator[] = {L'C', L':', L'\\', L'j'};
    Write(RegistryView::Bits32, L"\\V", L"Bare", REG_SZ, noTerminator, sizeof noTerminator);
    const char odd[] = {'C', 0, ':', 0, 'x'};
    Write(RegistryView::Bits32, L"\\V", L"Odd", REG_BINARY, odd, sizeof odd);
    const DWORD number = 0x41;  // 'A', then NUL
    Write(RegistryView::Bits32, L"\\V", L"Number", REG_DWORD, &number, sizeof number);
    const wchar_t multi[] = L"first\0second\0";
    Write(RegistryView::Bits32, L"\\V", L"Multi", REG_MULTI_SZ, multi, sizeof multi);
    Write(RegistryView::Bits32, L"\\V", L"Empty", REG_SZ, L"", 0);

    const RegistryKey key(Key(L"\\V"), RegistryView::Bits32);
    EXPECT_EQ(key.ReadText(L"Expand"), expand);  // not expanded
    EXPECT_EQ(key.ReadText(L"Bare"), L"C:\\j");
    EXPECT_EQ(key.ReadText(L"Odd"), L"C:");
    EXPECT_EQ(key.ReadText(L"Number"), L"A");
    EXPECT_EQ(key.ReadText(L"Multi"), L"first");
    EXPECT_EQ(key.ReadText(L"Empty"), L"");
    EXPECT_EQ(key.ReadText(L"Absent"), L"");
}

}  // namespace
}  // namespace support
