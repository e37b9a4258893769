#pragma once
// Reads one value of a Windows profile (INI) file.
#include <string>

namespace support {

// The value, whole however long; empty for a missing file, section or key.
std::wstring ReadProfileValue(const std::wstring& path, const std::wstring& section,
                              const std::wstring& key);

}  // namespace support
