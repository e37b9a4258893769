#include "share_test_support.h"

namespace shares_testing {

void ShareTest::SetUp() {
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TS_NETAPI_DOUBLE_DIR", folder_.c_str()));
    HKEY software = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS, &software) ==
        ERROR_SUCCESS) {
        ::RegDeleteTreeW(software, L"Vantrel");  // left over by a failed earlier run
        ::RegCloseKey(software);
    }
    ASSERT_FALSE(KeyExists(L"Software\\Vantrel"));
}

void ShareTest::TearDown() {
    ::SetEnvironmentVariableW(L"TS_NETAPI_DOUBLE_DIR", nullptr);
}

std::optional<netapi_double::ShareRecord> ShareTest::Share(const std::wstring& name) const {
    for (const auto& share : netapi_double::ReadShareTable(folder_)) {
        if (share.netname == name) {
            return share;
        }
    }
    return std::nullopt;
}

std::vector<netapi_double::LoggedCall> ShareTest::Calls(const std::string& function,
                                                        const std::string& netname) const {
    std::vector<netapi_double::LoggedCall> calls;
    for (auto& call : netapi_double::ReadCallLog(folder_)) {
        const auto name =
            call.fields.count("netname") ? call.fields["netname"] : call.fields["shi502_netname"];
        if (call.function == function && name == netname) {
            calls.push_back(call);
        }
    }
    return calls;
}

void ShareTest::SeedForeignShare(const std::wstring& name) const {
    netapi_double::ShareRecord share;
    share.netname = name;
    share.path = folder_;
    ASSERT_TRUE(netapi_double::SeedShare(folder_, share));
}

// This test program has pubdirs.dll's bitness: both see the same registry view.
std::optional<DWORD> Count(const std::wstring& key, const std::wstring& shareId) {
    DWORD count = 0;
    DWORD size = sizeof count;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), shareId.c_str(), RRF_RT_REG_DWORD, nullptr,
                       &count, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return count;
}

std::optional<std::wstring> StoredName(const std::wstring& key, const std::wstring& valueName) {
    std::wstring text(256, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), valueName.c_str(), RRF_RT_REG_SZ, nullptr,
                       text.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(size / sizeof(wchar_t));
    // Written without a terminator; read back with one.
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return text;
}

std::optional<std::set<std::wstring>> Record(const std::wstring& key, const std::wstring& product) {
    DWORD size = 0;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), product.c_str(), RRF_RT_REG_MULTI_SZ,
                       nullptr, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring data(size / sizeof(wchar_t) + 2, L'\0');
    size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), product.c_str(), RRF_RT_REG_MULTI_SZ,
                       nullptr, data.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::set<std::wstring> shareIds;
    for (const wchar_t* id = data.c_str(); *id != L'\0'; id += wcslen(id) + 1) {
        shareIds.insert(id);
    }
    return shareIds;
}

bool KeyExists(const std::wstring& key, REGSAM view) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &opened) !=
        ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(opened);
    return true;
}

}  // namespace shares_testing
