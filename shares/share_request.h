#pragma once
// How the text fields of the share action data become the settings of one share.
// No system calls here, so the rules are tested natively as well.
#include <cstdint>
#include <string>
#include <string_view>

namespace pubdirs {

// What the package asks for when a share cannot be created (the Options column).
enum class FailureOption {
    Ask,      // 0: the installer's error message with Abort, Retry and Ignore
    Replace,  // 1: delete any share of that name and try once more
    GiveUp,   // 2 and every other value: leave the folder unshared
};

FailureOption ParseFailureOption(std::wstring_view options);

// The platform reads all bits set as "no limit". An empty UserLimit means no limit as well:
// read as a number it would be 0, a share that nobody can use.
inline constexpr std::uint32_t kNoUserLimit = 0xFFFFFFFFu;
std::uint32_t ParseUserLimit(std::wstring_view userLimit);

// "C:\": three characters, the second ":" and the third "\".
bool IsDriveRoot(std::wstring_view path);

}  // namespace pubdirs
