#pragma once
// Which ShareIds one product's installation counted, and whether taking a share back may
// lower its count. No system calls here, so the rules are tested natively as well.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pubdirs {

// A product's record as the registry holds it: a multi-string, each ShareId ended by a
// null and the list by one more. Empty texts are skipped, so a list cut short or written
// by hand still gives the ids it holds.
std::vector<std::wstring> SplitShareIdList(std::wstring_view data);
std::wstring JoinShareIdList(const std::vector<std::wstring>& shareIds);

// What a removal or rollback knows about one counted ShareId.
struct CountClaim {
    bool listedByProduct = false;  // the product's record lists the ShareId
    bool productKnown = false;     // the product code could be read
    bool rollback = false;         // undoing this very installation
    std::uint32_t count = 0;       // the family's count, not 0
    std::size_t listings = 0;      // records of the family's products that list the ShareId
};

// A product lowers a count that its record lists. An installation is rolled back by the
// build that made it, which records every count it raises: nothing else is its to lower.
// A removal without a listing lowers the count only while part of it is claimed by no
// record: that part belongs to installations of earlier builds, which kept none.
bool LowersCount(const CountClaim& claim);

}  // namespace pubdirs
