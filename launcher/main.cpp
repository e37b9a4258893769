// javastub: starts a Java application as its settings file beside it describes.
#include "launcher.h"

// The arguments are taken from the whole command line, by the launcher's own token rule.
int wmain(int, wchar_t**) {
    return launcher::LauncherMain();
}
