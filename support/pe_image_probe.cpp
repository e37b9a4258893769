#include "support/pe_image_probe.h"

#include <cstring>

#include "support/proc_address.h"

namespace support {
namespace {

constexpr size_t kMagicOffset = 24;
constexpr size_t kDataDirectoriesPe32 = 120;
constexpr size_t kDataDirectoriesPe32Plus = 136;

WORD ReadWord(const BYTE* at) {
    WORD value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// ImageNtHeader trusts e_lfanew; a truncated or forged file must not make it read past the view.
bool NtHeadersInside(const BYTE* view, size_t size) {
    if (size < sizeof(IMAGE_DOS_HEADER)) {
        return false;
    }
    LONG offset;
    std::memcpy(&offset, view + offsetof(IMAGE_DOS_HEADER, e_lfanew), sizeof offset);
    return offset > 0 && static_cast<size_t>(offset) <= size &&
           size - static_cast<size_t>(offset) >= kMagicOffset + sizeof(WORD);
}

}  // namespace

PeImageProbe::PeImageProbe(const std::wstring& path) {
    file_.reset(ValidOrNull(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file_) {
        return;
    }
    LARGE_INTEGER fileSize{};
    if (!::GetFileSizeEx(file_.get(), &fileSize) || fileSize.QuadPart <= 0 ||
        static_cast<ULONGLONG>(fileSize.QuadPart) > SIZE_MAX) {
        return;
    }
    const size_t size = static_cast<size_t>(fileSize.QuadPart);
    mapping_.reset(::CreateFileMappingW(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping_) {
        return;
    }
    view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view_) {
        return;
    }
    const auto* base = static_cast<const BYTE*>(view_.get());
    if (size < 2 || ReadWord(base) != IMAGE_DOS_SIGNATURE || !NtHeadersInside(base, size)) {
        return;
    }

    UniqueLibrary dbghelp(::LoadLibraryW(L"Dbghelp.dll"));
    if (!dbghelp) {
        return;
    }
    using ImageNtHeaderFn = PIMAGE_NT_HEADERS(WINAPI*)(PVOID);
    const auto imageNtHeader = ProcAddress<ImageNtHeaderFn>(dbghelp.get(), "ImageNtHeader");
    if (imageNtHeader == nullptr) {
        return;
    }
    const auto* headers = reinterpret_cast<const BYTE*>(imageNtHeader(const_cast<BYTE*>(base)));
    if (headers == nullptr || headers < base ||
        headers + kMagicOffset + sizeof(WORD) > base + size) {
        return;
    }
    if (ReadWord(headers) != 0x4550) {
        return;
    }
    ntHeaders_ = headers;
    pe32Plus_ = ReadWord(headers + kMagicOffset) == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
    const size_t directoriesOffset = pe32Plus_ ? kDataDirectoriesPe32Plus : kDataDirectoriesPe32;
    const size_t directoriesEnd =
        directoriesOffset + IMAGE_NUMBEROF_DIRECTORY_ENTRIES * sizeof(IMAGE_DATA_DIRECTORY);
    if (static_cast<size_t>(headers - base) + directoriesEnd <= size) {
        dataDirectories_ =
            reinterpret_cast<const IMAGE_DATA_DIRECTORY*>(headers + directoriesOffset);
    }
}

WORD PeImageProbe::Machine() const {
    return Valid() ? ReadWord(ntHeaders_ + 4) : WORD{0};
}

}  // namespace support
