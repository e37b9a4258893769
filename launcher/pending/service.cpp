// Stand-in until service mode is built: a service start fails.
#include "launcher.h"

namespace launcher {

int RunServiceDispatcher(Launcher&) {
    return -1;
}

}  // namespace launcher
