#pragma once
#include "launcher.h"

namespace launcher {

// Marks the run for the pair launcher when "Pair Product" is set and the chosen jvm.dll is
// an image of another machine than this launcher's (the 32-bit launcher cannot load a
// 64-bit runtime). Cleared in every other case.
void CheckPairBitness(Launcher& launcher);

}  // namespace launcher
