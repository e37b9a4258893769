// Stand-in until the runtime search is built: no runtime is ever found.
#include "launcher.h"

namespace launcher {

bool FindRuntime(Launcher&) {
    return false;
}

}  // namespace launcher
