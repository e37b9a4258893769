#pragma once
// The 32-bit fields of the mapped instance block. Other processes read them while they are
// written, so each is read and written whole.
#include <windows.h>

#include <cstddef>

#include "single_instance/instance_block.h"

namespace launcher {

inline DWORD LoadField(const void* block, std::size_t offset) {
    auto* field = reinterpret_cast<volatile LONG*>(
        const_cast<unsigned char*>(static_cast<const unsigned char*>(block) + offset));
    return static_cast<DWORD>(::InterlockedCompareExchange(field, 0, 0));
}

inline void StoreField(const void* block, std::size_t offset, DWORD value) {
    auto* field = reinterpret_cast<volatile LONG*>(
        const_cast<unsigned char*>(static_cast<const unsigned char*>(block) + offset));
    ::InterlockedExchange(field, static_cast<LONG>(value));
}

// The argument area of the mapped block.
inline char16_t* ArgumentArea(const void* block) {
    return reinterpret_cast<char16_t*>(
        const_cast<unsigned char*>(static_cast<const unsigned char*>(block) + kArgumentOffset));
}

}  // namespace launcher
