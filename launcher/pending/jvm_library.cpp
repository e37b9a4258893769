// Stand-in until the JVM library is loaded: loading always fails.
#include "launcher.h"

namespace launcher {

bool LoadJvmLibrary(Launcher&) {
    return false;
}

std::uint32_t DefaultJavaStackSize() {
    return 0;
}

}  // namespace launcher
