#pragma once
// One owner for each kind of Windows handle.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace support {

struct HandleCloser {
    void operator()(HANDLE h) const noexcept {
        if (h != nullptr && h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
        }
    }
};
struct FindCloser {
    void operator()(HANDLE h) const noexcept {
        if (h != nullptr && h != INVALID_HANDLE_VALUE) {
            ::FindClose(h);
        }
    }
};
struct KeyCloser {
    void operator()(HKEY k) const noexcept {
        if (k != nullptr) {
            ::RegCloseKey(k);
        }
    }
};
struct ViewUnmapper {
    void operator()(const void* view) const noexcept {
        if (view != nullptr) {
            ::UnmapViewOfFile(view);
        }
    }
};
struct LibraryFreer {
    void operator()(HMODULE m) const noexcept {
        if (m != nullptr) {
            ::FreeLibrary(m);
        }
    }
};
struct LocalFreer {
    void operator()(void* p) const noexcept {
        if (p != nullptr) {
            ::LocalFree(p);
        }
    }
};

using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;
using UniqueFindHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;
using UniqueView = std::unique_ptr<const void, ViewUnmapper>;
using UniqueLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer>;
template <typename T>
using UniqueLocal = std::unique_ptr<T, LocalFreer>;

// CreateFileW and FindFirstFileW report failure as INVALID_HANDLE_VALUE, not null.
inline HANDLE ValidOrNull(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

}  // namespace support
