#pragma once
// One owner for each kind of Windows handle.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace support {

// Releases a resource with the function that frees its kind. Null and INVALID_HANDLE_VALUE
// (never an object's address) own nothing.
template <auto Release>
struct Releaser {
    template <typename T>
    void operator()(T* resource) const noexcept {
        if (resource != nullptr && resource != INVALID_HANDLE_VALUE) {
            Release(resource);
        }
    }
};

// The one owner: a resource of type T* that Release frees.
template <typename T, auto Release>
using UniqueResource = std::unique_ptr<T, Releaser<Release>>;

using UniqueHandle = UniqueResource<std::remove_pointer_t<HANDLE>, &::CloseHandle>;
using UniqueFindHandle = UniqueResource<std::remove_pointer_t<HANDLE>, &::FindClose>;
using UniqueKey = UniqueResource<std::remove_pointer_t<HKEY>, &::RegCloseKey>;
using UniqueView = UniqueResource<const void, &::UnmapViewOfFile>;
using UniqueLibrary = UniqueResource<std::remove_pointer_t<HMODULE>, &::FreeLibrary>;
template <typename T>
using UniqueLocal = UniqueResource<T, &::LocalFree>;

// CreateFileW and FindFirstFileW report failure as INVALID_HANDLE_VALUE, not null.
inline HANDLE ValidOrNull(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

}  // namespace support
