// Stand-in until single-instance coordination is built: every start runs on its own.
#include "launcher.h"

namespace launcher {

bool SetUpSingleInstance(Launcher&) {
    return true;
}

int WaitForPrimaryInstance(Launcher&) {
    return -1;
}

}  // namespace launcher
