#pragma once
// Runtime folders and vendor registry entries made by a test, removed afterwards.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "scratch_folder.h"
#include "support/registry_key.h"

namespace runtime_testing {

enum class Bits { x86, x64 };

// Folders below a temporary root of this process. A runtime is a folder with bin\java.dll
// and a real jvm.dll image of the chosen bitness in each named flavour folder.
class RuntimeFolders {
  public:
    // root\relative\, made with bin\<flavour>\jvm.dll for each flavour.
    std::wstring Make(const std::wstring& relative, std::initializer_list<const wchar_t*> flavours,
                      Bits bits = Bits::x86, bool marker = true);
    std::wstring Root() const { return root_.Path() + L"\\"; }

  private:
    testing_support::ScratchFolder root_;
};

// Keys below HKEY_LOCAL_MACHINE in a chosen view. Only the keys this object created are
// removed again, deepest first, so whatever else lives under the vendors' keys stays.
class VendorRegistry {
  public:
    ~VendorRegistry();

    // <sourceKey><version> with the value "JavaHome" as REG_SZ.
    void Register(const std::wstring& sourceKey, const std::wstring& version,
                  const std::wstring& javaHome, support::RegistryView view);
    // The same with a value of any type and bytes.
    void RegisterRaw(const std::wstring& sourceKey, const std::wstring& version, DWORD type,
                     const void* data, DWORD bytes, support::RegistryView view);
    // <keyPath> with a REG_SZ value of any name.
    void RegisterValue(const std::wstring& keyPath, const std::wstring& name,
                       const std::wstring& text, support::RegistryView view);
    // A version subkey without "JavaHome".
    void RegisterEmpty(const std::wstring& sourceKey, const std::wstring& version,
                       support::RegistryView view);

  private:
    HKEY Create(const std::wstring& path, support::RegistryView view);
    struct Made {
        std::wstring path;
        support::RegistryView view;
    };
    std::vector<Made> made_;
};

// The folder of the running test program, with a trailing "\".
std::wstring ProgramFolder();

}  // namespace runtime_testing
