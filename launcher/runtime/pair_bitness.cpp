#include "runtime/pair_bitness.h"

#include "support/pe_image_probe.h"

namespace launcher {

void CheckPairBitness(Launcher& launcher) {
    launcher.is64BitRuntime = false;
    if (launcher.settings.pairProduct.empty()) {
        return;
    }
    const support::PeImageProbe image(launcher.jvmLibraryPath);
    launcher.is64BitRuntime = image.Valid() && image.Machine() != IMAGE_FILE_MACHINE_I386;
}

}  // namespace launcher
