#pragma once
// Reads the PE header of a library file to tell its machine and format.
#include <windows.h>

#include <string>

#include "support/unique_handle.h"

namespace support {

class PeImageProbe {
  public:
    explicit PeImageProbe(const std::wstring& path);

    bool Valid() const { return ntHeaders_ != nullptr; }
    bool IsPe32Plus() const { return pe32Plus_; }
    // IMAGE_FILE_MACHINE_I386 (0x14C), IMAGE_FILE_MACHINE_AMD64 (0x8664), ...; 0 when invalid.
    WORD Machine() const;
    // The data-directory array, or null when invalid or when the file ends before it.
    const IMAGE_DATA_DIRECTORY* DataDirectories() const { return dataDirectories_; }

  private:
    UniqueHandle file_;
    UniqueHandle mapping_;
    UniqueView view_;
    const BYTE* ntHeaders_ = nullptr;
    const IMAGE_DATA_DIRECTORY* dataDirectories_ = nullptr;
    bool pe32Plus_ = false;
};

}  // namespace support
