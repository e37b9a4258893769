#pragma once
#include "launcher.h"

namespace launcher {

// Marks the run for the pair launcher when "Pair Product" is set and the chosen jvm.dll is
// not an i386 image (this 32-bit process could not load it). Cleared in every other case,
// and always in the 64-bit build, which is the pair.
void CheckPairBitness(Launcher& launcher);

}  // namespace launcher
