#include "bookkeeping/product_record.h"

namespace pubdirs {

std::vector<std::wstring> SplitShareIdList(std::wstring_view data) {
    std::vector<std::wstring> shareIds;
    while (!data.empty()) {
        const size_t end = data.find(L'\0');
        const std::wstring_view id = data.substr(0, end);
        if (!id.empty()) {
            shareIds.emplace_back(id);
        }
        if (end == std::wstring_view::npos) {
            break;
        }
        data.remove_prefix(end + 1);
    }
    return shareIds;
}

std::wstring JoinShareIdList(const std::vector<std::wstring>& shareIds) {
    std::wstring data;
    for (const std::wstring& id : shareIds) {
        data += id;
        data.push_back(L'\0');
    }
    data.push_back(L'\0');
    return data;
}

bool LowersCount(const CountClaim& claim) {
    if (claim.listedByProduct) {
        return true;
    }
    if (claim.rollback && claim.productKnown) {
        return false;
    }
    return claim.count > claim.listings;
}

}  // namespace pubdirs
