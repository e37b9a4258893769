// The permissions text: the entries joined with "|" give the text back, and a parsed entry
// names a trustee without "/" and carries the mask read from its second part.
#include "decimal_text.h"
#include "security/permission_entries.h"
#include "fuzz_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::WideText(data, size);
    const std::vector<std::wstring> entries = pubdirs::SplitPermissionText(text);
    const std::wstring joined = fuzz::Join(entries, L"|");
    FUZZ_CHECK(joined == text || joined + L"|" == text);
    for (const std::wstring& entry : entries) {
        const std::optional<pubdirs::PermissionEntry> parsed = pubdirs::ParsePermissionEntry(entry);
        const std::size_t slash = entry.find(L'/');
        if (slash == std::wstring::npos || slash == 0) {
            FUZZ_CHECK(!parsed);
            continue;
        }
        FUZZ_CHECK(parsed && parsed->trustee == entry.substr(0, slash));
        const std::wstring rest = entry.substr(slash + 1);
        FUZZ_CHECK(parsed->mask == static_cast<std::uint32_t>(
                                       pubdirs::ParseDecimal(rest.substr(0, rest.find(L'/')))));
        // Only the two English names, in any case, are well known.
        FUZZ_CHECK(parsed->wellKnown == pubdirs::WellKnownTrustee::None ||
                   parsed->trustee.size() == 8 || parsed->trustee.size() == 14);
    }
    return 0;
}
