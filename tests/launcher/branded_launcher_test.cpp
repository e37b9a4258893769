// A launcher built with branding of its own: its file name, icon and version block are the
// ones asked for, and it reads the settings file of its name.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "run_process.h"
#include "scratch_folder.h"
#include "test_text.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::ThisProgramFolder;

// As tests/launcher/CMakeLists.txt builds it.
const wchar_t kBrandedName[] = L"Kunden Start.exe";

std::wstring Branded() {
    return ThisProgramFolder() + L"\\" + kBrandedName;
}

std::string ResourceBytes(HMODULE module, const wchar_t* type, const wchar_t* name) {
    HRSRC resource = ::FindResourceW(module, name, type);
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    return data ? std::string(static_cast<const char*>(data), ::SizeofResource(module, resource))
                : std::string();
}

std::uint32_t Number(const std::string& bytes, size_t offset, size_t size) {
    std::uint32_t value = 0;
    for (size_t i = 0; i < size && offset + i < bytes.size(); ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i]))
                 << (8 * i);
    }
    return value;
}

TEST(BrandedLauncher, CarriesTheIconAskedFor) {
    const std::string icon = ReadFileBytes(BRANDED_ICON);
    ASSERT_GE(icon.size(), 6u);
    HMODULE program = ::LoadLibraryExW(Branded().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    // The group lists the file's images with their sizes; each image is the file's bytes.
    const std::string group = ResourceBytes(program, RT_GROUP_ICON, MAKEINTRESOURCEW(1));
    const std::uint32_t count = Number(icon, 4, 2);
    ASSERT_EQ(group.size(), 6 + 14 * count);
    EXPECT_EQ(Number(group, 4, 2), count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * i;
        const size_t grouped = 6 + 14 * i;
        EXPECT_EQ(group.substr(grouped, 12), icon.substr(entry, 12)) << i;
        const auto id = static_cast<WORD>(Number(group, grouped + 12, 2));
        const std::string image = ResourceBytes(program, RT_ICON, MAKEINTRESOURCEW(id));
        EXPECT_EQ(image, icon.substr(Number(icon, entry + 12, 4), Number(icon, entry + 8, 4))) << i;
    }
    ::FreeLibrary(program);
}

TEST(BrandedLauncher, CarriesTheVersionBlockAskedFor) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(Branded().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(Branded().c_str(), 0, size, block.data()));
    const auto value = [&block](const std::wstring& name) {
        void* text = nullptr;
        UINT length = 0;
        const std::wstring path = L"\\StringFileInfo\\040704B0\\" + name;
        if (!::VerQueryValueW(block.data(), path.c_str(), &text, &length) || length == 0) {
            return std::wstring(L"<missing>");
        }
        return std::wstring(static_cast<const wchar_t*>(text));
    };
    EXPECT_EQ(value(L"ProductName"), L"B\u00fcrowelt");
    EXPECT_EQ(value(L"CompanyName"), L"Beispiel & S\u00f6hne");
    EXPECT_EQ(value(L"FileDescription"), L"Startet \"B\u00fcrowelt\" ohne Konsole");
    EXPECT_EQ(value(L"ProductVersion"), L"4.2");
    EXPECT_EQ(value(L"FileVersion"), L"4.2.17.3");
    EXPECT_EQ(value(L"LegalCopyright"), L"\u00a9 2026 Beispiel\\Verlag");
    EXPECT_EQ(value(L"OriginalFilename"), kBrandedName);
    EXPECT_EQ(value(L"InternalName"), L"Kunden Start");

    void* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", &fixed, &length));
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    EXPECT_EQ(info->dwFileVersionMS, (4u << 16) | 2u);
    EXPECT_EQ(info->dwFileVersionLS, (17u << 16) | 3u);
    EXPECT_EQ(info->dwProductVersionMS, (4u << 16) | 2u);
    EXPECT_EQ(info->dwProductVersionLS, 0u);
}

TEST(BrandedLauncher, ReadsTheSettingsFileOfItsName) {
    testing_support::ScratchFolder folder;
    const std::wstring program = folder / kBrandedName;
    ASSERT_TRUE(::CopyFileW(Branded().c_str(), program.c_str(), FALSE));
    // A runtime whose library is no library: the start reaches it only through the settings.
    folder.Write(L"jre\\bin\\client\\jvm.dll", "not a library");
    folder.Write(L"Kunden Start.ini",
                 "[Java Runtime Environment]\r\nMain Class=com.example.App\r\nJRE Path=jre\r\n");
    testing_support::ProcessRequest request;
    request.program = program;
    const auto result = testing_support::RunProcess(request);
    EXPECT_EQ(result.exitCode, 0xFFFFFFFFu);
    EXPECT_TRUE(result.out.starts_with("Error: Konnte Java VM Bibliothek: ")) << result.out;
}

}  // namespace
