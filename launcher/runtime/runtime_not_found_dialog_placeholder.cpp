// Stand-in until the dialog is built: the user never accepts, so start-up fails cleanly.
#include "runtime/runtime_not_found_dialog.h"

namespace launcher {

RuntimeDialogAnswer ShowRuntimeNotFoundDialog(const std::wstring&, int) {
    return {};
}

}  // namespace launcher
