#pragma once
// What the stand-in network-share library keeps between calls and processes, and how
// tests read and steer it. All of it lives as small UTF-8 text files in one folder
// (see netapi_double.cpp for the files).
#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace netapi_double {

// One share as NetShareAdd received it (the level-502 record).
struct ShareRecord {
    std::wstring netname;
    std::wstring path;
    std::wstring remark;
    DWORD type = 0;
    DWORD permissions = 0;
    DWORD maxUses = 0xFFFFFFFFu;
    DWORD currentUses = 0;
    std::optional<std::wstring> password;
    std::vector<BYTE> descriptor;  // self-relative; empty when none was given
};

// A call that answers with a fixed code instead of doing its work.
struct Refusal {
    std::wstring function;  // NetShareAdd, NetShareDel, NetShareGetInfo, or * for all
    std::wstring netname;   // compared without regard to case
    DWORD code = 0;
    DWORD times = 0;  // how many calls are refused before the function works again; 0: all
};

// One call as the log tells it: the first line's function and result, then the fields.
struct LoggedCall {
    std::string function;
    long long result = -1;
    std::map<std::string, std::string> fields;  // e.g. "shi502_path", "netname"
    std::vector<std::string> aces;              // "ALLOWED flags=0 mask=2032127 sid=S-1-1-0"
};

// The folder the double works in: TS_NETAPI_DOUBLE_DIR, or else the folder of `module`.
std::wstring StateFolder(HMODULE module);

// Serialises everything that touches one folder's files, across processes.
class FolderLock {
  public:
    explicit FolderLock(const std::wstring& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    HANDLE mutex_ = nullptr;
};

std::vector<ShareRecord> ReadShareTable(const std::wstring& folder);
bool WriteShareTable(const std::wstring& folder, const std::vector<ShareRecord>& shares);
std::vector<Refusal> ReadRefusals(const std::wstring& folder);
bool WriteRefusals(const std::wstring& folder, const std::vector<Refusal>& refusals);
bool AppendLog(const std::wstring& folder, const std::string& text);

// For tests: steer and read the double.
bool AddRefusal(const std::wstring& folder, const Refusal& refusal);
bool SeedShare(const std::wstring& folder, const ShareRecord& share);
std::vector<LoggedCall> ReadCallLog(const std::wstring& folder);
// Removes the table, the refusals and the log.
void ResetState(const std::wstring& folder);

// A text field as the files hold it: UTF-8 with "%", tab, CR and LF written as %XX.
std::string EscapeField(const std::wstring& text);

// UTF-8 and back.
std::string Utf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

}  // namespace netapi_double
