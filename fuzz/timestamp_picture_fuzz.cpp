// Time pictures in output file names: the name is exactly its parts put back together around
// the percent signs, and every "L" of the picture becomes the milliseconds.
#include "messages/timestamp_picture.h"
#include "fuzz_text.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring name = fuzz::WideText(data, size);
    const std::optional<launcher::TimestampPicture> parts = launcher::FindTimestampPicture(name);
    const std::size_t percents =
        static_cast<std::size_t>(std::count(name.begin(), name.end(), L'%'));
    if (!parts) {
        FUZZ_CHECK(percents == 0);
        return 0;
    }
    FUZZ_CHECK(parts->before.find(L'%') == std::wstring::npos);
    FUZZ_CHECK(parts->after.find(L'%') == std::wstring::npos);
    if (percents == 1) {
        FUZZ_CHECK(parts->picture.empty() && parts->before + L"%" + parts->after == name);
    } else {
        FUZZ_CHECK(parts->before + L"%" + parts->picture + L"%" + parts->after == name);
    }

    const unsigned milliseconds = static_cast<unsigned>(size % 1000);
    const std::wstring expanded = launcher::InsertMilliseconds(parts->picture, milliseconds);
    const std::size_t ells =
        static_cast<std::size_t>(std::count(parts->picture.begin(), parts->picture.end(), L'L'));
    FUZZ_CHECK(expanded.find(L'L') == std::wstring::npos);
    FUZZ_CHECK(expanded.size() ==
               parts->picture.size() - ells + ells * std::to_wstring(milliseconds).size());
    return 0;
}
