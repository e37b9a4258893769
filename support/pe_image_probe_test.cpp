#include "support/pe_image_probe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "test_text.h"

namespace support {
namespace {

std::wstring Fixture(const wchar_t* name) {
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

void WriteAll(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::trunc) << bytes;
}

TEST(PeImageProbe, TellsMachineAndFormat) {
    const PeImageProbe x86(Fixture(L"probe_x86.dll"));
    ASSERT_TRUE(x86.Valid());
    EXPECT_FALSE(x86.IsPe32Plus());
    EXPECT_EQ(x86.Machine(), IMAGE_FILE_MACHINE_I386);
    ASSERT_NE(x86.DataDirectories(), nullptr);

    const PeImageProbe x64(Fixture(L"probe_x64.dll"));
    ASSERT_TRUE(x64.Valid());
    EXPECT_TRUE(x64.IsPe32Plus());
    EXPECT_EQ(x64.Machine(), IMAGE_FILE_MACHINE_AMD64);
    ASSERT_NE(x64.DataDirectories(), nullptr);
}

TEST(PeImageProbe, RejectsWhatIsNoImage) {
    const std::wstring text = Fixture(L"probe_text.txt");
    WriteAll(text, "MZ but only text, no headers follow");
    EXPECT_FALSE(PeImageProbe(text).Valid());
    EXPECT_EQ(PeImageProbe(text).Machine(), 0);
    WriteAll(text, "");
    EXPECT_FALSE(PeImageProbe(text).Valid());
    EXPECT_FALSE(PeImageProbe(Fixture(L"missing.dll")).Valid());
    EXPECT_FALSE(PeImageProbe(L"").Valid());
}

TEST(PeImageProbe, TruncatedAndForgedHeadersStayInsideTheFile) {
    const std::string image = testing_support::ReadFileBytes(Fixture(L"probe_x86.dll"));
    ASSERT_GT(image.size(), 512u);
    const std::wstring cut = Fixture(L"probe_cut.dll");
    for (size_t size : {2u, 63u, 64u, 70u, 130u, 200u}) {
        WriteAll(cut, image.substr(0, size));
        const PeImageProbe probe(cut);
        if (probe.Valid() && probe.DataDirectories() != nullptr) {
            ADD_FAILURE() << "data directories past the end of a " << size << "-byte file";
        }
    }
    std::string forged = image;
    forged[0x3C] = '\xF0';  // e_lfanew far beyond the end
    forged[0x3D] = '\xFF';
    forged[0x3E] = '\xFF';
    forged[0x3F] = '\x7F';
    WriteAll(cut, forged);
    EXPECT_FALSE(PeImageProbe(cut).Valid());
}

}  // namespace
}  // namespace support
