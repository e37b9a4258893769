#pragma once
#include <windows.h>

namespace support {

// GetProcAddress typed as the function it returns; null when the library lacks the name.
template <typename Function>
Function ProcAddress(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace support
