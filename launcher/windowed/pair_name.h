#pragma once
// The windowed program's pair launcher, derived from "Pair Product"; no system calls.
#include <optional>
#include <string>
#include <string_view>

namespace launcher {

// When the file name of pairProduct, without its extension, is consoleName (ignoring the
// case of ASCII and Latin-1 letters), the same path with windowedName in its place:
// C:\App\x64\javastub.exe gives C:\App\x64\javastubw.exe. Otherwise nothing. "\" and "/"
// both separate folders.
std::optional<std::wstring> WindowedPairPath(std::wstring_view pairProduct,
                                             std::wstring_view consoleName,
                                             std::wstring_view windowedName);

}  // namespace launcher
