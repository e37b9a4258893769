#include "runtime/pair_bitness.h"

#include "support/pe_image_probe.h"

namespace launcher {

bool RunsInPairLauncher([[maybe_unused]] const LauncherSettings& settings,
                        [[maybe_unused]] const std::wstring& jvmLibrary) {
#if defined(_WIN64)
    // The 64-bit build is the pair itself and never hands over, so a settings file copied
    // beside it with "Pair Product" still in it cannot make it start itself over and over.
    return false;
#else
    if (settings.pairProduct.empty()) {
        return false;
    }
    const support::PeImageProbe image(jvmLibrary);
    return image.Valid() && image.Machine() != IMAGE_FILE_MACHINE_I386;
#endif
}

}  // namespace launcher
