#include "runtime/pair_bitness.h"

#include "support/pe_image_probe.h"

namespace launcher {
namespace {

// The machine this launcher is built for. Only an image of another machine needs the pair:
// the 64-bit build runs 64-bit runtimes itself, so a settings file copied beside it with
// "Pair Product" still in it cannot make it start itself over and over.
#if defined(_WIN64)
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_AMD64;
#else
constexpr WORD kOwnMachine = IMAGE_FILE_MACHINE_I386;
#endif

}  // namespace

void CheckPairBitness(Launcher& launcher) {
    launcher.is64BitRuntime = false;
    if (launcher.settings.pairProduct.empty()) {
        return;
    }
    const support::PeImageProbe image(launcher.jvmLibraryPath);
    launcher.is64BitRuntime = image.Valid() && image.Machine() != kOwnMachine;
}

}  // namespace launcher
