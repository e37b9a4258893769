#include "messages/catalogue.h"

#include <windows.h>

namespace launcher {
namespace {

// Entry index of a block: 16 counted UTF-16 strings, one after the other.
std::wstring EntryOfBlock(const WCHAR* block, DWORD sizeInBytes, unsigned index) {
    const size_t units = sizeInBytes / sizeof(WCHAR);
    size_t position = 0;
    for (unsigned entry = 0; entry <= index; ++entry) {
        if (position >= units) {
            return {};
        }
        const size_t length = block[position++];
        if (length > units - position) {
            return {};
        }
        if (entry == index) {
            return std::wstring(block + position, length);
        }
        position += length;
    }
    return {};
}

}  // namespace

std::wstring LoadMessage(unsigned id) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    const WCHAR* blockName = MAKEINTRESOURCEW(id / 16 + 1);
    // The catalogue is German only; the neutral lookup tells whether the block exists in
    // any language before the thread's choice is loaded.
    if (::FindResourceExW(module, RT_STRING, blockName,
                          MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)) == nullptr) {
        return {};
    }
    HRSRC resource = ::FindResourceW(module, blockName, RT_STRING);
    if (resource == nullptr) {
        return {};
    }
    HGLOBAL loaded = ::LoadResource(module, resource);
    const auto* block = static_cast<const WCHAR*>(loaded ? ::LockResource(loaded) : nullptr);
    if (block == nullptr) {
        return {};
    }
    return EntryOfBlock(block, ::SizeofResource(module, resource), id % 16);
}

}  // namespace launcher
