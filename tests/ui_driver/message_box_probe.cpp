// message_box_probe FLAGS TITLE TEXT: shows one message box and exits with the button pressed.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        return -2;
    }
    const UINT flags = static_cast<UINT>(std::wcstoul(argv[1], nullptr, 0));
    return ::MessageBoxW(nullptr, argv[3], argv[2], flags);
}
