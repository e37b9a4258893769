#include "com_registration.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "run_process.h"
#include "test_text.h"

namespace testing_support {
namespace {

void SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    const LSTATUS status =
        ::RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(status, ERROR_SUCCESS)
        << "cannot write HKCR\\" << std::string(key.begin(), key.end());
}

}  // namespace

ComDoubleRegistration::ComDoubleRegistration(std::wstring classId,
                                             std::vector<std::wstring> progIds,
                                             const std::wstring& configPath)
    : classId_(std::move(classId)), progIds_(std::move(progIds)) {
    const std::wstring server = L"CLSID\\" + classId_ + L"\\InprocServer32";
    SetText(server, nullptr, ThisProgramFolder() + L"\\com_double.dll");
    SetText(server, L"ThreadingModel", L"Both");
    SetText(server, L"Config", configPath);
    for (const auto& progId : progIds_) {
        SetText(progId + L"\\CLSID", nullptr, classId_);
    }
}

ComDoubleRegistration::~ComDoubleRegistration() {
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + classId_).c_str());
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, (L"CLSID\\" + classId_).c_str());
    for (const auto& progId : progIds_) {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, progId.c_str());
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT, progId.c_str());
    }
}

std::vector<std::string> CallLog(const std::wstring& logPath) {
    return Lines(ReadFileBytes(std::filesystem::path(logPath)));
}

}  // namespace testing_support
