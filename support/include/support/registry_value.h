#pragma once
// Reading one registry value as stored, whatever its type and size.
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace support {

struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;  // exactly the stored bytes: no terminator added, nothing expanded
};

// The value of an open key; nothing when it is missing or cannot be read. A value that grows
// while it is read is read again.
std::optional<RegistryValue> ReadRegistryValue(HKEY key, const std::wstring& name);

// The bytes as UTF-16 characters; an odd last byte is dropped.
std::wstring CharactersOf(std::span<const BYTE> data);

// The same up to the first NUL.
std::wstring TextUpToNul(std::span<const BYTE> data);

}  // namespace support
