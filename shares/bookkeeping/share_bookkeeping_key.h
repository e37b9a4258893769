#pragma once
// The per-product-family reference count of shares in HKEY_LOCAL_MACHINE:
// "Software\Vantrel\Tessaly\Shared Folders\<UpgradeCode>" holds, per share id, the count
// (REG_DWORD) and, under the id followed by "_ID", the share name as created; and per
// product, under its ProductCode, the share ids that its installation counted
// (REG_MULTI_SZ, the one type of value there that is a list).
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/unique_handle.h"

namespace pubdirs {

class ShareBookkeepingKey {
  public:
    // The UpgradeCode value exactly as received, braces and all. An empty one names the
    // "Shared Folders" key itself, so that adding and removing meet at the same key.
    explicit ShareBookkeepingKey(std::wstring_view upgradeCode);
    ShareBookkeepingKey(const ShareBookkeepingKey&) = delete;
    ShareBookkeepingKey& operator=(const ShareBookkeepingKey&) = delete;

    const std::wstring& Path() const { return path_; }

    // Every operation closes the open key first, then opens (or creates) it again and
    // keeps it open for the clean-up.
    bool WriteCount(const std::wstring& shareId, DWORD count);
    // True only when the value could be read and is not 0; count gets what was read in
    // any case of a successful read (0 when nothing was read).
    bool ReadCount(const std::wstring& shareId, DWORD& count);
    // Stores the share name under shareId + "_ID" as REG_SZ without terminating null.
    bool WriteShareName(const std::wstring& shareId, std::wstring_view shareName);
    // The name stored under shareId + "_ID"; false and empty when it cannot be read.
    bool ReadShareName(const std::wstring& shareId, std::wstring& shareName);
    bool DeleteValue(const std::wstring& name);

    // The share ids the product's record lists; empty when it has none.
    std::vector<std::wstring> ReadProductRecord(const std::wstring& productCode);
    // Writes the record; an empty list deletes it.
    bool WriteProductRecord(const std::wstring& productCode,
                            const std::vector<std::wstring>& shareIds);
    // How many products' records list the share id.
    std::size_t CountListings(const std::wstring& shareId);
    // Takes the share id out of every product's record (records left empty go).
    void ForgetShareId(const std::wstring& shareId);

    // Removes the key and its parents bottom-up while they have neither values nor
    // sub-keys: at most four keys, never "Software" itself. Then closes the key. Only a
    // key that an operation has left open is looked at; calling it twice does nothing more.
    void RemoveEmptyKeys();

  private:
    bool Open();
    bool Create();
    // Every product record of the key: its value name and the share ids it lists.
    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> ReadProductRecords();

    std::wstring path_;
    support::UniqueKey key_;
};

// The value name that holds the share name of a share id.
std::wstring ShareNameValue(const std::wstring& shareId);

}  // namespace pubdirs
