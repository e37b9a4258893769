#include "bookkeeping/share_bookkeeping_key.h"

#include <gtest/gtest.h>

#include <vector>

namespace pubdirs {
namespace {

const std::wstring kFamilies = L"Software\\Vantrel\\Tessaly\\Shared Folders";

// A family name of its own per test, so that leftovers of one test never feed another.
std::wstring UniqueUpgradeCode(const char* tag) {
    static int serial = 0;
    return L"{TEST-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::wstring(tag, tag + strlen(tag)) + L"-" + std::to_wstring(++serial) + L"}";
}

bool KeyExists(const std::wstring& path, REGSAM view = 0) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

std::optional<RawValue> ReadRaw(const std::wstring& path, const std::wstring& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    support::UniqueKey owner(key);
    RawValue value;
    DWORD size = 0;
    if (::RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.data.resize(size);
    if (::RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.data.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

void WriteRaw(const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
              DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    support::UniqueKey owner(key);
    ASSERT_EQ(::RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
}

TEST(ShareBookkeepingKey, CountAndNameAreStoredInTheirExactFormats) {
    const std::wstring code = UniqueUpgradeCode("format");
    {
        ShareBookkeepingKey key(code);
        EXPECT_EQ(key.Path(), kFamilies + L"\\" + code);
        EXPECT_TRUE(key.WriteCount(L"Docs", 1));
        EXPECT_TRUE(key.WriteShareName(L"Docs", L"Dokumente"));
    }
    const auto count = ReadRaw(kFamilies + L"\\" + code, L"Docs");
    ASSERT_TRUE(count);
    EXPECT_EQ(count->type, DWORD{REG_DWORD});
    EXPECT_EQ(count->data, (std::vector<BYTE>{1, 0, 0, 0}));
    const auto name = ReadRaw(kFamilies + L"\\" + code, L"Docs_ID");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->type, DWORD{REG_SZ});
    // Nine characters, no terminator. Wine's registry appends one to REG_SZ data that
    // lacks it, Windows stores what it is given: both are accepted, nothing else.
    ASSERT_TRUE(name->data.size() == 18u || name->data.size() == 20u) << name->data.size();
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(name->data.data()), 9), L"Dokumente");
    if (name->data.size() == 20u) {
        EXPECT_EQ(name->data[18] | name->data[19], 0);
    }

    ShareBookkeepingKey key(code);
    DWORD read = 0;
    EXPECT_TRUE(key.ReadCount(L"Docs", read));
    EXPECT_EQ(read, 1u);
    std::wstring shareName;
    EXPECT_TRUE(key.ReadShareName(L"Docs", shareName));
    EXPECT_EQ(shareName, L"Dokumente");
    EXPECT_TRUE(key.DeleteValue(L"Docs"));
    EXPECT_TRUE(key.DeleteValue(L"Docs_ID"));
    key.RemoveEmptyKeys();
    EXPECT_FALSE(KeyExists(kFamilies + L"\\" + code));
}

TEST(ShareBookkeepingKey, ReadsWhatIsMissingZeroOrOddAsNothing) {
    const std::wstring code = UniqueUpgradeCode("missing");
    const std::wstring path = kFamilies + L"\\" + code;
    ShareBookkeepingKey key(code);
    DWORD count = 99;
    std::wstring name = L"stale";
    EXPECT_FALSE(key.ReadCount(L"Docs", count)) << "no key at all";
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(key.ReadShareName(L"Docs", name));
    EXPECT_EQ(name, L"");
    EXPECT_FALSE(key.DeleteValue(L"Docs"));

    const DWORD zero = 0;
    WriteRaw(path, L"Zero", REG_DWORD, &zero, 4);
    EXPECT_FALSE(key.ReadCount(L"Zero", count)) << "a zero count counts nothing";
    EXPECT_EQ(count, 0u);

    const DWORD seven = 7;
    WriteRaw(path, L"Typed", REG_BINARY, &seven, 4);
    EXPECT_TRUE(key.ReadCount(L"Typed", count)) << "the stored type is not checked";
    EXPECT_EQ(count, 7u);

    const unsigned long long wide = 5;
    WriteRaw(path, L"Wide", REG_QWORD, &wide, 8);
    EXPECT_FALSE(key.ReadCount(L"Wide", count)) << "more than four bytes do not fit";

    const wchar_t terminated[] = L"Ablage";
    WriteRaw(path, L"T_ID", REG_SZ, terminated, sizeof terminated);
    EXPECT_TRUE(key.ReadShareName(L"T", name));
    EXPECT_EQ(name, L"Ablage") << "a stored terminator is not part of the name";

    for (const wchar_t* value : {L"Zero", L"Typed", L"Wide", L"T_ID"}) {
        EXPECT_TRUE(key.DeleteValue(value));
    }
    key.RemoveEmptyKeys();
    EXPECT_FALSE(KeyExists(path));
}

TEST(ShareBookkeepingKey, ProductRecordsAreTheListsOfTheKey) {
    const std::wstring code = UniqueUpgradeCode("records");
    const std::wstring path = kFamilies + L"\\" + code;
    ShareBookkeepingKey key(code);
    EXPECT_EQ(key.ReadProductRecord(L"{A}"), std::vector<std::wstring>{}) << "no key at all";
    EXPECT_TRUE(key.WriteProductRecord(L"{A}", {}));
    ASSERT_TRUE(key.WriteProductRecord(L"{A}", {L"Docs", L"Templates"}));
    ASSERT_TRUE(key.WriteProductRecord(L"{B}", {L"Docs"}));
    ASSERT_TRUE(key.WriteCount(L"Docs", 2));
    // Counts, names and texts of other types are no records, whatever their names.
    const wchar_t text[] = L"Docs";
    WriteRaw(path, L"{C}", REG_SZ, text, sizeof text);
    const auto raw = ReadRaw(path, L"{A}");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, DWORD{REG_MULTI_SZ});
    EXPECT_EQ(raw->data.size(), sizeof(L"Docs\0Templates\0"));

    EXPECT_EQ(key.ReadProductRecord(L"{A}"), (std::vector<std::wstring>{L"Docs", L"Templates"}));
    EXPECT_EQ(key.ReadProductRecord(L"{C}"), std::vector<std::wstring>{});
    EXPECT_EQ(key.CountListings(L"Docs"), 2u);
    EXPECT_EQ(key.CountListings(L"Templates"), 1u);

    key.ForgetShareId(L"Docs");
    EXPECT_EQ(key.ReadProductRecord(L"{A}"), std::vector<std::wstring>{L"Templates"});
    EXPECT_FALSE(ReadRaw(path, L"{B}")) << "a record left empty goes";
    EXPECT_TRUE(ReadRaw(path, L"{C}"));
    EXPECT_EQ(key.CountListings(L"Docs"), 0u);

    for (const wchar_t* value : {L"Docs", L"{C}"}) {
        EXPECT_TRUE(key.DeleteValue(value));
    }
    EXPECT_TRUE(key.WriteProductRecord(L"{A}", {}));
    key.RemoveEmptyKeys();
    EXPECT_FALSE(KeyExists(path));
}

TEST(ShareBookkeepingKey, CleanUpStopsAtTheFirstKeyInUse) {
    const std::wstring first = UniqueUpgradeCode("first");
    const std::wstring second = UniqueUpgradeCode("second");
    ShareBookkeepingKey one(first);
    ShareBookkeepingKey two(second);
    ASSERT_TRUE(one.WriteCount(L"Docs", 1));
    ASSERT_TRUE(two.WriteCount(L"Docs", 1));

    // Values left: nothing is removed.
    one.RemoveEmptyKeys();
    EXPECT_TRUE(KeyExists(kFamilies + L"\\" + first));

    // The first family is gone; the second keeps "Shared Folders" and its parents alive.
    ASSERT_TRUE(one.DeleteValue(L"Docs"));
    one.RemoveEmptyKeys();
    EXPECT_FALSE(KeyExists(kFamilies + L"\\" + first));
    EXPECT_TRUE(KeyExists(kFamilies + L"\\" + second));

    // The last family takes every empty key with it, up to but not including "Software".
    ASSERT_TRUE(two.DeleteValue(L"Docs"));
    two.RemoveEmptyKeys();
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel"));
    EXPECT_TRUE(KeyExists(L"Software"));
}

TEST(ShareBookkeepingKey, EmptyUpgradeCodeCountsInTheFamiliesKeyItself) {
    ShareBookkeepingKey empty(L"");
    EXPECT_EQ(empty.Path(), kFamilies);
    ASSERT_TRUE(empty.WriteCount(L"Docs", 1));
    DWORD count = 0;
    EXPECT_TRUE(ShareBookkeepingKey(L"").ReadCount(L"Docs", count));
    EXPECT_EQ(count, 1u);
    ASSERT_TRUE(empty.DeleteValue(L"Docs"));
    empty.RemoveEmptyKeys();  // stops below "Software"
    EXPECT_FALSE(KeyExists(L"Software\\Vantrel"));
    EXPECT_TRUE(KeyExists(L"Software"));
}

// The test prefix is 64-bit; only the 32-bit build runs under WOW64.
#ifndef _WIN64
TEST(ShareBookkeepingKey, LandsInThe32BitViewOfA64BitSystem) {
    BOOL wow64 = FALSE;
    ASSERT_TRUE(::IsWow64Process(::GetCurrentProcess(), &wow64));
    ASSERT_TRUE(wow64) << "a 32-bit process on a 64-bit system";
    const std::wstring code = UniqueUpgradeCode("view");
    const std::wstring path = kFamilies + L"\\" + code;
    ShareBookkeepingKey key(code);
    ASSERT_TRUE(key.WriteCount(L"Docs", 1));
    EXPECT_TRUE(KeyExists(path, KEY_WOW64_32KEY));
    EXPECT_TRUE(KeyExists(L"Software\\Wow6432Node\\Vantrel\\Tessaly\\Shared Folders\\" + code,
                          KEY_WOW64_64KEY));
    EXPECT_FALSE(KeyExists(path, KEY_WOW64_64KEY));
    ASSERT_TRUE(key.DeleteValue(L"Docs"));
    key.RemoveEmptyKeys();
}
#endif

}  // namespace
}  // namespace pubdirs
