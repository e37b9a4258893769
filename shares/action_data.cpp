#include "action_data.h"

#include "support/split_fields.h"

#include <initializer_list>

namespace pubdirs {
namespace {

std::wstring Join(std::initializer_list<std::wstring_view> fields) {
    std::wstring text;
    bool first = true;
    for (std::wstring_view field : fields) {
        if (!first) {
            text.push_back(kFieldSeparator);
        }
        text.append(field);
        first = false;
    }
    return text;
}

std::vector<std::wstring> Split(std::wstring_view text) {
    return support::SplitFields(text, std::wstring_view(&kFieldSeparator, 1));
}

}  // namespace

std::wstring FormatShareActionData(const ShareActionData& data) {
    return Join({data.folderPath, data.shareName, data.description, data.userLimit,
                 data.permissions, data.upgradeCode, data.shareId, data.options});
}

std::wstring FormatShareReference(const ShareReference& reference) {
    return Join({reference.shareId, reference.upgradeCode});
}

std::optional<ShareActionData> ParseShareActionData(std::wstring_view text) {
    std::vector<std::wstring> fields = Split(text);
    if (fields.size() != 8) {
        return std::nullopt;
    }
    return ShareActionData{std::move(fields[0]), std::move(fields[1]), std::move(fields[2]),
                           std::move(fields[3]), std::move(fields[4]), std::move(fields[5]),
                           std::move(fields[6]), std::move(fields[7])};
}

std::optional<ShareReference> ParseShareReference(std::wstring_view text) {
    std::vector<std::wstring> fields = Split(text);
    // An empty UpgradeCode is the last field and is lost in transit: one non-empty field
    // is a ShareId whose UpgradeCode is empty, as the share action counted it.
    if (fields.size() == 1 && !fields[0].empty()) {
        return ShareReference{std::move(fields[0]), std::wstring()};
    }
    if (fields.size() != 2) {
        return std::nullopt;
    }
    return ShareReference{std::move(fields[0]), std::move(fields[1])};
}

bool ContainsFieldSeparator(std::wstring_view value) {
    return value.find(kFieldSeparator) != std::wstring_view::npos;
}

}  // namespace pubdirs
