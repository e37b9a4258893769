// Stand-in until the JVM is created and main is called: creation always fails.
#include "launcher.h"

namespace launcher {

bool CreateJvm(Launcher&) {
    return false;
}

bool InvokeMain(Launcher&) {
    return false;
}

void DestroyJvm(Launcher& launcher) {
    launcher.javaVm = nullptr;
    launcher.env = nullptr;
}

}  // namespace launcher
