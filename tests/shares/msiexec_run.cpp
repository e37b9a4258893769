#include "msiexec_run.h"

#include <gtest/gtest.h>

#include "run_process.h"

namespace shares_testing {

using testing_support::ProcessRequest;
using testing_support::ProcessResult;
using testing_support::Quoted;
using testing_support::ReadFileBytes;
using testing_support::RunProcess;
using testing_support::ThisProgramFolder;

std::string ReadInstallerLog(const std::wstring& path) {
    const std::string bytes = ReadFileBytes(path);
    if (bytes.empty()) {
        return bytes;
    }
    const int length = static_cast<int>(bytes.size());
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), wideLength);
    const int utf8Length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(utf8Length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, text.data(), utf8Length, nullptr,
                          nullptr);
    return text;
}

std::wstring PackagePath(const std::wstring& name) {
    return ThisProgramFolder() + L"\\" + name + L".msi";
}

Installation RunMsiexec(const std::wstring& arguments, const std::wstring& logName) {
    const std::wstring log = ThisProgramFolder() + L"\\" + logName + L".log";
    ::DeleteFileW(log.c_str());
    ProcessRequest request;
    request.program = L"C:\\windows\\system32\\msiexec.exe";
    request.arguments = arguments + L" /qn /l*v " + Quoted(log);
    request.timeout = std::chrono::minutes(2);
    const ProcessResult result = RunProcess(request);
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    return {result.exitCode, ReadInstallerLog(log)};
}

Installation Install(const std::wstring& package, const std::wstring& properties) {
    return RunMsiexec(L"/i " + Quoted(PackagePath(package)) + L" " + properties,
                      package + L"-install");
}

Installation Remove(const std::wstring& package) {
    return RunMsiexec(L"/x " + Quoted(PackagePath(package)), package + L"-remove");
}

RemovedAtEnd::~RemovedAtEnd() {
    if (!removed) {
        RunMsiexec(L"/x " + Quoted(PackagePath(package)), package + L"-cleanup");
    }
}

std::string LoggedProperty(const Installation& installation, const std::string& name) {
    const std::string prefix = "Property(S): " + name + " = ";
    for (const std::string& line : Lines(installation.log)) {
        if (line.rfind(prefix, 0) == 0) {
            return line.substr(prefix.size());
        }
    }
    return "<not logged>";
}

void ExpectNoCrash(const Installation& installation) {
    EXPECT_FALSE(Contains(installation.log, "page fault"));
    EXPECT_FALSE(installation.log.empty()) << "no log written";
}

std::wstring RecordText(MSIHANDLE record, UINT field) {
    DWORD size = 0;
    wchar_t empty[1] = {L'\0'};
    if (::MsiRecordGetStringW(record, field, empty, &size) != ERROR_MORE_DATA) {
        return L"";
    }
    std::wstring text(size + 1, L'\0');
    size = static_cast<DWORD>(text.size());
    ::MsiRecordGetStringW(record, field, text.data(), &size);
    text.resize(size);
    return text;
}

}  // namespace shares_testing
