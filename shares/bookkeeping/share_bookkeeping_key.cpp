#include "bookkeeping/share_bookkeeping_key.h"

#include <algorithm>

#include "bookkeeping/product_record.h"
#include "support/registry_value.h"

namespace pubdirs {
namespace {

constexpr std::wstring_view kFamiliesKey = L"Software\\Vantrel\\Tessaly\\Shared Folders";
constexpr int kMaxKeysRemoved = 4;

}  // namespace

std::wstring ShareNameValue(const std::wstring& shareId) {
    return shareId + L"_ID";
}

ShareBookkeepingKey::ShareBookkeepingKey(std::wstring_view upgradeCode) : path_(kFamiliesKey) {
    if (!upgradeCode.empty()) {
        path_ += L'\\';
        path_ += upgradeCode;
    }
}

bool ShareBookkeepingKey::Open() {
    key_.reset();
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    key_.reset(key);
    return true;
}

bool ShareBookkeepingKey::Create() {
    key_.reset();
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    key_.reset(key);
    return true;
}

bool ShareBookkeepingKey::WriteCount(const std::wstring& shareId, DWORD count) {
    return Create() &&
           ::RegSetValueExW(key_.get(), shareId.c_str(), 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(&count), sizeof count) == ERROR_SUCCESS;
}

bool ShareBookkeepingKey::ReadCount(const std::wstring& shareId, DWORD& count) {
    count = 0;
    if (!Open()) {
        return false;
    }
    // The stored type is not checked: only the four bytes matter.
    const std::optional<support::RegistryValue> stored =
        support::ReadRegistryValue(key_.get(), shareId);
    DWORD value = 0;
    if (!stored || stored->data.size() > sizeof value) {
        return false;
    }
    std::copy(stored->data.begin(), stored->data.end(), reinterpret_cast<BYTE*>(&value));
    count = value;
    return value != 0;
}

bool ShareBookkeepingKey::WriteShareName(const std::wstring& shareId, std::wstring_view shareName) {
    const std::wstring name(shareName);
    return Create() &&
           ::RegSetValueExW(key_.get(), ShareNameValue(shareId).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(name.data()),
                            static_cast<DWORD>(name.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool ShareBookkeepingKey::ReadShareName(const std::wstring& shareId, std::wstring& shareName) {
    shareName.clear();
    if (!Open()) {
        return false;
    }
    // A value written by someone else may carry its terminator; the name ends there.
    const std::optional<support::RegistryValue> stored =
        support::ReadRegistryValue(key_.get(), ShareNameValue(shareId));
    if (!stored) {
        return false;
    }
    shareName = support::TextUpToNul(stored->data);
    return true;
}

bool ShareBookkeepingKey::DeleteValue(const std::wstring& name) {
    return Open() && ::RegDeleteValueW(key_.get(), name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::wstring> ShareBookkeepingKey::ReadProductRecord(const std::wstring& productCode) {
    if (!Open()) {
        return {};
    }
    const std::optional<support::RegistryValue> stored =
        support::ReadRegistryValue(key_.get(), productCode);
    if (!stored || stored->type != REG_MULTI_SZ) {
        return {};
    }
    return SplitShareIdList(support::CharactersOf(stored->data));
}

bool ShareBookkeepingKey::WriteProductRecord(const std::wstring& productCode,
                                             const std::vector<std::wstring>& shareIds) {
    if (shareIds.empty()) {
        if (!Open()) {
            return true;  // no key, no record
        }
        const LSTATUS rc = ::RegDeleteValueW(key_.get(), productCode.c_str());
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    const std::wstring data = JoinShareIdList(shareIds);
    return Create() &&
           ::RegSetValueExW(key_.get(), productCode.c_str(), 0, REG_MULTI_SZ,
                            reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::vector<std::pair<std::wstring, std::vector<std::wstring>>>
ShareBookkeepingKey::ReadProductRecords() {
    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> records;
    if (!Open()) {
        return records;
    }
    DWORD values = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (::RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           &values, &longestName, &longestData, nullptr,
                           nullptr) != ERROR_SUCCESS) {
        return records;
    }
    std::wstring name(longestName + 1, L'\0');
    std::vector<BYTE> data(longestData);
    for (DWORD index = 0; index < values; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(data.size());
        if (::RegEnumValueW(key_.get(), index, name.data(), &nameLength, nullptr, &type,
                            data.data(), &size) != ERROR_SUCCESS) {
            continue;  // changed under us: the value is not looked at
        }
        if (type == REG_MULTI_SZ) {
            records.emplace_back(
                name.substr(0, nameLength),
                SplitShareIdList(support::CharactersOf(std::span(data).first(size))));
        }
    }
    return records;
}

std::size_t ShareBookkeepingKey::CountListings(const std::wstring& shareId) {
    std::size_t listings = 0;
    for (const auto& [product, shareIds] : ReadProductRecords()) {
        listings += std::count(shareIds.begin(), shareIds.end(), shareId) != 0 ? 1 : 0;
    }
    return listings;
}

void ShareBookkeepingKey::ForgetShareId(const std::wstring& shareId) {
    for (auto& [product, shareIds] : ReadProductRecords()) {
        if (std::erase(shareIds, shareId) != 0) {
            WriteProductRecord(product, shareIds);
        }
    }
}

void ShareBookkeepingKey::RemoveEmptyKeys() {
    if (!key_) {
        return;
    }
    std::wstring path = path_;
    for (int removed = 0; removed < kMaxKeysRemoved; ++removed) {
        DWORD values = 0;
        DWORD subkeys = 0;
        if (::RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                               &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            values != 0 || subkeys != 0) {
            break;
        }
        const size_t split = path.rfind(L'\\');
        // "Software" (a path without "\") is never a candidate.
        if (split == std::wstring::npos) {
            break;
        }
        const std::wstring parentPath = path.substr(0, split);
        const std::wstring leaf = path.substr(split + 1);
        key_.reset();
        HKEY parent = nullptr;
        if (leaf.empty() || ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, parentPath.c_str(), 0,
                                            KEY_ALL_ACCESS, &parent) != ERROR_SUCCESS) {
            break;
        }
        key_.reset(parent);
        if (::RegDeleteKeyW(parent, leaf.c_str()) != ERROR_SUCCESS) {
            break;
        }
        path = parentPath;
    }
    key_.reset();
}

}  // namespace pubdirs
