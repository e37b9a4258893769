// The action data handed to the deferred actions: what parses formats back to the same text,
// and fields free of the separator survive formatting and parsing unchanged.
#include "action_data.h"
#include "fuzz_text.h"

namespace {

std::wstring WithoutSeparators(std::wstring text) {
    std::erase(text, pubdirs::kFieldSeparator);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::WideText(data, size);
    // The split drops an empty last field, so data may end with one separator more.
    const auto sameData = [&text](const std::wstring& formatted) {
        return formatted == text || formatted + pubdirs::kFieldSeparator == text;
    };
    if (const auto parsed = pubdirs::ParseShareActionData(text)) {
        FUZZ_CHECK(sameData(pubdirs::FormatShareActionData(*parsed)));
    }
    if (const auto reference = pubdirs::ParseShareReference(text)) {
        const std::wstring formatted = pubdirs::FormatShareReference(*reference);
        // A lone ShareId stands for data whose empty UpgradeCode was lost in transit.
        FUZZ_CHECK(sameData(formatted) || (reference->upgradeCode.empty() &&
                                           formatted == text + pubdirs::kFieldSeparator));
    }

    std::vector<std::wstring> fields = fuzz::Pieces(text, 8);
    for (std::wstring& field : fields) {
        field = WithoutSeparators(field);
    }
    const pubdirs::ShareActionData share{fields[0], fields[1], fields[2], fields[3],
                                         fields[4], fields[5], fields[6], fields[7]};
    const auto back = pubdirs::ParseShareActionData(pubdirs::FormatShareActionData(share));
    // An empty last field is lost in transit, so only then the data do not come back.
    FUZZ_CHECK(share.options.empty() ? !back : back == share);

    const pubdirs::ShareReference shareReference{fields[0], fields[1]};
    const auto backReference =
        pubdirs::ParseShareReference(pubdirs::FormatShareReference(shareReference));
    FUZZ_CHECK(shareReference.shareId.empty() && shareReference.upgradeCode.empty()
                   ? !backReference
                   : backReference == shareReference);
    return 0;
}
