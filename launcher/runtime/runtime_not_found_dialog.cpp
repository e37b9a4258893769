#include "runtime/runtime_not_found_dialog.h"

#include <windows.h>

#include "messages/catalogue.h"
#include "windowed/centre_window.h"
#include "runtime/folder_picker.h"
#include "runtime/jvm_library_probe.h"
#include "runtime/link_control.h"

namespace launcher {
namespace {

constexpr int kDialogTemplate = 201;
constexpr int kPathEdit = 201;
constexpr int kBrowseButton = 202;
constexpr int kMessageText = 203;
constexpr int kDownloadLink = 205;

// What the dialog knows while it runs; lives on the caller's stack for the modal loop.
struct DialogState {
    std::wstring message;
    int jvmType = 0;
    JvmLibraryProbe probe = nullptr;
    std::wstring chosenFolder;  // always ends with "\"
    std::wstring resultPath;    // the JVM library found there; empty: OK stays disabled
    LinkControl link;
};

void Initialize(HWND dialog, DialogState& state) {
    HWND link = ::GetDlgItem(dialog, kDownloadLink);
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(link, WM_GETFONT, 0, 0));
    state.link.Attach(link, font);
    ::SetDlgItemTextW(dialog, kMessageText, state.message.c_str());
    ::EnableWindow(::GetDlgItem(dialog, IDOK), FALSE);
    CentreWindow(dialog);
}

void Browse(HWND dialog, DialogState& state) {
    const std::optional<std::wstring> picked = PickFolder(dialog, LoadMessage(text::kBrowseTitle));
    if (!picked) {
        return;
    }
    ::SetDlgItemTextW(dialog, kPathEdit, picked->c_str());
    state.chosenFolder = *picked;
    if (!state.chosenFolder.ends_with(L'\\')) {
        state.chosenFolder += L'\\';
    }
    state.resultPath = state.probe(state.chosenFolder, state.jvmType).path;
    ::EnableWindow(::GetDlgItem(dialog, IDOK), !state.resultPath.empty());
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        Initialize(dialog, *reinterpret_cast<DialogState*>(lParam));
        return TRUE;
    }
    auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (state == nullptr || message != WM_COMMAND) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
        case IDOK:
            // Only with a library: Enter can send OK even while the button is disabled.
            if (!state->resultPath.empty()) {
                ::EndDialog(dialog, IDOK);
            }
            return TRUE;
        case IDCANCEL:
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        case kBrowseButton:
            Browse(dialog, *state);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

RuntimeDialogAnswer ShowRuntimeNotFoundDialog(const std::wstring& message, int jvmType,
                                              JvmLibraryProbe probe) {
    DialogState state;
    state.message = message;
    state.jvmType = jvmType;
    state.probe = probe;
    const INT_PTR ended =
        ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kDialogTemplate),
                          ::GetActiveWindow(), DialogProcedure, reinterpret_cast<LPARAM>(&state));
    if (ended != IDOK) {
        return {};
    }
    return {true, std::move(state.resultPath), std::move(state.chosenFolder)};
}

}  // namespace launcher
