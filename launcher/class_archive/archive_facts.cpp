#include "class_archive/archive_facts.h"

#include <windows.h>

#include <string_view>

#include "jvm/class_archive.h"
#include "support/decimal_text.h"
#include "support/split_fields.h"
#include "support/text_conversion.h"
#include "support/unique_handle.h"
#include "support/utf8.h"

namespace launcher {
namespace {

// Path, size and write time: what the JVM itself checks of a class path entry.
std::string FileFacts(const std::wstring& path, const WIN32_FILE_ATTRIBUTE_DATA& data) {
    const auto number = [](DWORD high, DWORD low) {
        return support::WideToUtf8(
            support::DecimalText((static_cast<ULONGLONG>(high) << 32) | low));
    };
    return support::WideToUtf8(path) + "|" + number(data.nFileSizeHigh, data.nFileSizeLow) + "|" +
           number(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
}

std::string FileFacts(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return support::WideToUtf8(path);
    }
    return FileFacts(path, data);
}

// The runtime's release file; empty when it is missing or not a small text.
std::string ReadReleaseFile(const std::wstring& path) {
    const support::UniqueHandle file(support::ValidOrNull(::CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 65536) {
        return {};
    }
    std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!::ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) {
        return {};
    }
    text.resize(read);
    return text;
}

std::wstring ParentFolder(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

ArchiveFacts GatherArchiveFacts(const std::wstring& jvmLibraryPath,
                                const std::vector<std::string>& options) {
    ArchiveFacts facts;
    // <home>\bin\<vm>\jvm.dll, with the runtime's base archive beside it.
    const std::wstring vmFolder = ParentFolder(jvmLibraryPath);
    const std::string release =
        ReadReleaseFile(ParentFolder(ParentFolder(vmFolder)) + L"\\release");
    facts.feature = jvm::ReleaseFeatureVersion(release);
    facts.runtimeHasBaseArchive =
        ::GetFileAttributesW((vmFolder + L"\\classes.jsa").c_str()) != INVALID_FILE_ATTRIBUTES;
    facts.keyParts = {FileFacts(jvmLibraryPath), release};

    constexpr std::string_view kClassPath = "-Djava.class.path=";
    for (const std::string& option : options) {
        facts.keyParts.push_back(option);
        if (!option.starts_with(kClassPath)) {
            continue;
        }
        for (const std::wstring& entry :
             support::SplitFields(support::AnsiToWide(option.substr(kClassPath.size())), L";")) {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            if (entry.empty() ||
                !::GetFileAttributesExW(entry.c_str(), GetFileExInfoStandard, &data)) {
                continue;
            }
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                facts.classPathFolder = entry;
            }
            facts.keyParts.push_back(FileFacts(entry, data));
        }
    }
    return facts;
}

}  // namespace launcher
