#include "support/profile_value.h"

#include <windows.h>

#include <algorithm>

namespace support {

std::wstring ReadProfileValue(const std::wstring& path, const std::wstring& section,
                              const std::wstring& key) {
    // The profile functions cut a value to the buffer without saying so, except that the
    // length is then the buffer size less one: grow until it fits.
    std::wstring buffer;
    for (DWORD size = 256;; size *= 2) {
        buffer.assign(size, L'\0');
        const DWORD length = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"",
                                                        buffer.data(), size, path.c_str());
        if (length + 1 != size || size >= (1u << 30)) {
            buffer.resize(std::min(length, size));
            return buffer;
        }
    }
}

}  // namespace support
