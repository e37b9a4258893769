// A program for the runner's own test: it answers with what it was given.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

int wmain(int argc, wchar_t** argv) {
    std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"exit") {
        return static_cast<int>(std::wcstoul(argv[2], nullptr, 0));
    }
    if (mode == L"echo") {  // argument 2 to stdout, argument 3 to stderr, as raw bytes
        std::fputws(argv[2], stdout);
        std::fputws(argv[3], stderr);
        return 0;
    }
    if (mode == L"env") {
        const wchar_t* value = _wgetenv(argv[2]);
        std::fputws(value ? value : L"<unset>", stdout);
        return 0;
    }
    if (mode == L"cwd") {
        wchar_t folder[MAX_PATH];
        ::GetCurrentDirectoryW(MAX_PATH, folder);
        std::fputws(folder, stdout);
        return 0;
    }
    if (mode == L"stdin") {
        _setmode(_fileno(stdin), _O_BINARY);
        _setmode(_fileno(stdout), _O_BINARY);
        int c;
        while ((c = std::getchar()) != EOF) {
            std::putchar(c);
        }
        return 0;
    }
    if (mode == L"hang") {
        ::Sleep(INFINITE);
    }
    if (mode == L"big") {  // more than any pipe buffer holds
        std::string chunk(1 << 20, 'x');
        std::fwrite(chunk.data(), 1, chunk.size(), stdout);
        std::fwrite(chunk.data(), 1, chunk.size(), stderr);
        return 0;
    }
    return 2;
}
