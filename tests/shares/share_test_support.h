#pragma once
// What the share tests look at: the stand-in netapi32's shares and calls, in a folder of
// each test's own, and the bookkeeping in the registry view of pubdirs.dll's bitness.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "double_state.h"
#include "scratch_folder.h"

namespace shares_testing {

inline const std::wstring kFamilyKey =
    L"Software\\Vantrel\\Tessaly\\Shared Folders\\{5A0C7E21-3B7D-4C1E-9F52-7D1A2B3C4D00}";
// The ProductCodes of the packages shares_a and shares_b.
inline const std::wstring kProductA = L"{5A0C7E21-3B7D-4C1E-9F52-7D1A2B3CF001}";
inline const std::wstring kProductB = L"{5A0C7E21-3B7D-4C1E-9F52-7D1A2B3CF002}";

// Points the stand-in at a fresh folder and starts without bookkeeping keys.
class ShareTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::optional<netapi_double::ShareRecord> Share(const std::wstring& name) const;
    // Calls of one function for one share name, in order.
    std::vector<netapi_double::LoggedCall> Calls(const std::string& function,
                                                 const std::string& netname) const;
    void SeedForeignShare(const std::wstring& name) const;

    testing_support::ScratchFolder scratch_;
    const std::wstring folder_ = scratch_.Path();
};

// The count the bookkeeping holds for a share id; nothing when there is no such value.
std::optional<DWORD> Count(const std::wstring& key, const std::wstring& shareId);
// The text of a REG_SZ value; nothing when absent or of another type.
std::optional<std::wstring> StoredName(const std::wstring& key, const std::wstring& valueName);
// In this program's own registry view unless another is asked for.
bool KeyExists(const std::wstring& key, REGSAM view = 0);
// The share ids a product's record lists; nothing when it has no record.
std::optional<std::set<std::wstring>> Record(const std::wstring& key, const std::wstring& product);

}  // namespace shares_testing
