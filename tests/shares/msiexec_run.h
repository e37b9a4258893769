#pragma once
// Installs and removes test packages with wine's msiexec (quiet, verbose log) and reads the
// log. The packages lie beside the test program.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "test_text.h"

namespace shares_testing {

struct Installation {
    DWORD exitCode = 0;
    std::string log;  // UTF-8, see ReadInstallerLog
};

// An installer log as UTF-8 text; empty when the log cannot be read. Wine's installer writes
// its log in the ANSI code page of the installing process, whatever the package's code page.
std::string ReadInstallerLog(const std::wstring& path);

std::wstring PackagePath(const std::wstring& name);
Installation RunMsiexec(const std::wstring& arguments, const std::wstring& logName);
Installation Install(const std::wstring& package, const std::wstring& properties = L"");
Installation Remove(const std::wstring& package);

// Removes the package when the test ends, unless the test removed it, so that the next test
// starts with its components absent.
struct RemovedAtEnd {
    std::wstring package;
    bool removed = false;
    ~RemovedAtEnd();
};

// The tests' shared text helpers, under the names these tests use.
using testing_support::Contains;
using testing_support::Lines;
// A property's value from the property list at the end of the verbose log.
std::string LoggedProperty(const Installation& installation, const std::string& name);
// Wine's custom-action server reports a crash inside an action as a page fault and may
// still log the action as successful.
void ExpectNoCrash(const Installation& installation);

// A record field as text, empty when the field cannot be read.
std::wstring RecordText(MSIHANDLE record, UINT field);

}  // namespace shares_testing
