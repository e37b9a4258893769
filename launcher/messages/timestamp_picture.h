#pragma once
// The text rules of a time picture inside an output file name: "out_%yyyyMMdd%.log".
#include <optional>
#include <string>
#include <string_view>

namespace launcher {

struct TimestampPicture {
    std::wstring before;   // the name before the first "%"
    std::wstring picture;  // between the first and the last "%"; empty for one "%"
    std::wstring after;    // the name after the last "%"
};

// Nothing when the name holds no "%".
std::optional<TimestampPicture> FindTimestampPicture(std::wstring_view name);

// Every capital "L" becomes the milliseconds in plain decimal (7 ms: "7").
std::wstring InsertMilliseconds(std::wstring_view picture, unsigned milliseconds);

}  // namespace launcher
