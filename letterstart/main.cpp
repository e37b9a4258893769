// letterstart.exe: a window program whose one form never shows; its load procedure does
// the whole job and ends the process with its exit code.
#include <windows.h>

#include "automation/dispatch.h"
#include "form_load.h"

namespace {

constexpr wchar_t kFormClass[] = L"frmStart";

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int exitCode = letterstart::kExitFailed;
    {
        const automation::ComApartment apartment;
        WNDCLASSEXW formClass{};
        formClass.cbSize = sizeof formClass;
        formClass.lpfnWndProc = FormProcedure;
        formClass.hInstance = instance;
        formClass.lpszClassName = kFormClass;
        ::RegisterClassExW(&formClass);
        // Created without WS_VISIBLE: the form is never displayed.
        HWND form = ::CreateWindowExW(0, kFormClass, L"letterstart", WS_OVERLAPPEDWINDOW,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      nullptr, nullptr, instance, nullptr);
        // The raw command line: the load procedure takes its argument text itself.
        exitCode = letterstart::FormLoad(form, ::GetCommandLineW());
        if (form != nullptr) {
            ::DestroyWindow(form);
        }
    }
    ::ExitProcess(static_cast<UINT>(exitCode));
}
