#include "runtime_folders.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "support/split_fields.h"
#include "support/text_conversion.h"
#include "support/unique_handle.h"

namespace runtime_testing {
namespace fs = std::filesystem;

namespace {

REGSAM ViewFlag(support::RegistryView view) {
    return static_cast<REGSAM>(view) * 0x100;
}

}  // namespace

std::wstring ProgramFolder() {
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.rfind(L'\\') + 1);
}

std::wstring RuntimeFolders::Make(const std::wstring& relative,
                                  std::initializer_list<const wchar_t*> flavours, Bits bits,
                                  bool marker) {
    const fs::path home = fs::path(root_.Path()) / relative;
    fs::create_directories(home / L"bin");
    if (marker) {
        std::ofstream file(home / L"bin" / L"java.dll");
        file << "marker";
        file.close();
        if (!file) {
            ADD_FAILURE() << "could not write " << (home / L"bin" / L"java.dll").string();
        }
    }
    const fs::path image =
        fs::path(ProgramFolder()) / (bits == Bits::x86 ? L"jvm_x86.dll" : L"jvm_x64.dll");
    for (const wchar_t* flavour : flavours) {
        fs::create_directories(home / L"bin" / flavour);
        fs::copy_file(image, home / L"bin" / flavour / L"jvm.dll",
                      fs::copy_options::overwrite_existing);
    }
    std::wstring text = home.wstring();
    if (!text.ends_with(L'\\')) {
        text += L'\\';
    }
    return text;
}

VendorRegistry::~VendorRegistry() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
        ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, it->path.c_str(), ViewFlag(it->view), 0);
    }
}

HKEY VendorRegistry::Create(const std::wstring& path, support::RegistryView view) {
    // Level by level, so that each key this object made is known.
    std::wstring current;
    HKEY key = nullptr;
    for (const std::wstring& part : support::SplitFields(path, L"\\")) {
        if (part.empty()) {
            continue;
        }
        if (key != nullptr) {
            ::RegCloseKey(key);
            key = nullptr;
        }
        current += (current.empty() ? L"" : L"\\") + part;
        DWORD disposition = 0;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, current.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | ViewFlag(view), nullptr, &key,
                              &disposition) != ERROR_SUCCESS) {
            ADD_FAILURE() << "could not create the registry key " << support::WideToAnsi(current);
            return nullptr;
        }
        if (disposition == REG_CREATED_NEW_KEY) {
            made_.push_back({current, view});
        }
    }
    return key;
}

void VendorRegistry::RegisterRaw(const std::wstring& sourceKey, const std::wstring& version,
                                 DWORD type, const void* data, DWORD bytes,
                                 support::RegistryView view) {
    const support::UniqueKey key(Create(sourceKey + version, view));
    if (key && ::RegSetValueExW(key.get(), L"JavaHome", 0, type, static_cast<const BYTE*>(data),
                                bytes) != ERROR_SUCCESS) {
        ADD_FAILURE() << "could not write JavaHome below " << support::WideToAnsi(sourceKey);
    }
}

void VendorRegistry::Register(const std::wstring& sourceKey, const std::wstring& version,
                              const std::wstring& javaHome, support::RegistryView view) {
    RegisterRaw(sourceKey, version, REG_SZ, javaHome.c_str(),
                static_cast<DWORD>((javaHome.size() + 1) * sizeof(wchar_t)), view);
}

void VendorRegistry::RegisterValue(const std::wstring& keyPath, const std::wstring& name,
                                   const std::wstring& text, support::RegistryView view) {
    const support::UniqueKey key(Create(keyPath, view));
    if (key) {
        ::RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
}

void VendorRegistry::RegisterEmpty(const std::wstring& sourceKey, const std::wstring& version,
                                   support::RegistryView view) {
    const support::UniqueKey key(Create(sourceKey + version, view));
}

}  // namespace runtime_testing
