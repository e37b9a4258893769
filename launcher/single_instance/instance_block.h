#pragma once
// The block that processes started from the same launcher file share: where its fields lie,
// the names of the shared objects, and how an argument list is laid into the argument area
// and read back. No system calls, so the host build tests it under the sanitizers.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace launcher {

// Layout of the block, all fields little-endian.
inline constexpr std::size_t kInstanceBlockSize = 2092;
inline constexpr std::size_t kThreadIdOffset = 0;   // the primary's message thread
inline constexpr std::size_t kProcessIdOffset = 4;  // the primary's process
inline constexpr std::size_t kMessageIdOffset = 8;  // the registered notification message
inline constexpr std::size_t kArgumentOffset = 12;
inline constexpr std::size_t kArgumentAreaUnits = (kInstanceBlockSize - kArgumentOffset) / 2;
// A secondary instance writes only the first half of the area.
inline constexpr std::size_t kArgumentLimitBytes = 1040;

// The module path with every "\" replaced by "_": the name of the block, and the stem of the
// other shared objects' names.
std::wstring InstanceBaseName(std::wstring_view modulePath);
// Signalled right before the primary calls main.
std::wstring StartEventName(std::wstring_view baseName);
// Held by a secondary from writing the argument area until the primary has copied it.
std::wstring HandOverLockName(std::wstring_view baseName);

// The units a secondary writes at the argument area: each argument followed by a zero unit,
// then one more zero unit. Nothing when they need more than kArgumentLimitBytes.
std::optional<std::vector<char16_t>> PackArguments(const std::vector<std::u16string>& arguments);

// The list read back from a copy of the argument area: strings up to each zero unit, ended by
// a second zero unit in a row. An empty string therefore ends the list, an all-zero area is one
// empty string, and a string still open at the end of the area is dropped.
std::vector<std::u16string> UnpackArguments(std::span<const char16_t> area);

}  // namespace launcher
