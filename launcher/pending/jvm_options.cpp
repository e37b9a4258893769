// Stand-in until the JVM's environment and options are built.
#include "launcher.h"

namespace launcher {

void PrepareEnvironment(Launcher&) {}

bool AssembleOptions(Launcher&) {
    return false;
}

}  // namespace launcher
