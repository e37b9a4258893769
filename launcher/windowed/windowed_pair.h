#pragma once
// Which pair launcher the program hands a 64-bit runtime to.
#include <string>

namespace launcher {

// The built names of the two launcher programs, without ".exe" (string table, resources
// of each program).
namespace text {
inline constexpr unsigned kConsoleProgramName = 320;
inline constexpr unsigned kWindowedProgramName = 321;
}  // namespace text

// "Pair Product" as this program uses it. The console program takes it as written. The
// windowed program, when it names the console launcher by its built name, takes the windowed
// launcher of the same folder instead, if that file exists: a windowed start must not open a
// console window through its pair, even when its settings were copied from the console one.
std::wstring PairProductForThisProgram(const std::wstring& pairProduct);

}  // namespace launcher
