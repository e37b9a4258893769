#include "runtime/pair_bitness.h"

#include "support/pe_image_probe.h"

namespace launcher {

void CheckPairBitness(Launcher& launcher) {
    launcher.is64BitRuntime = false;
#if defined(_WIN64)
    // The 64-bit build is the pair itself and never hands over, so a settings file copied
    // beside it with "Pair Product" still in it cannot make it start itself over and over.
    return;
#else
    if (launcher.settings.pairProduct.empty()) {
        return;
    }
    const support::PeImageProbe image(launcher.jvmLibraryPath);
    launcher.is64BitRuntime = image.Valid() && image.Machine() != IMAGE_FILE_MACHINE_I386;
#endif
}

}  // namespace launcher
