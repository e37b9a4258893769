#pragma once
// Read access to keys below HKEY_LOCAL_MACHINE in a chosen registry view.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/unique_handle.h"

namespace support {

enum class RegistryView { Default = 0, Bits64 = 1, Bits32 = 2 };

class RegistryKey {
  public:
    // A key that cannot be opened yields no subkeys and no values.
    RegistryKey(std::wstring_view subkey, RegistryView view);

    bool IsOpen() const { return key_ != nullptr; }
    const std::wstring& Path() const { return path_; }
    RegistryView View() const { return view_; }

    // Names in enumeration order, up to the first failing enumeration.
    std::vector<std::wstring> SubkeyNames() const;
    // The value as text up to its first NUL, whatever its stored type; empty when missing.
    std::wstring ReadText(const std::wstring& name) const;

  private:
    std::wstring path_;
    RegistryView view_;
    UniqueKey key_;
};

}  // namespace support
