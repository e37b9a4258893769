#include "double_state.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "test_text.h"

namespace netapi_double {
namespace {

namespace fs = std::filesystem;
using testing_support::Lines;
using testing_support::ReadFileBytes;

constexpr wchar_t kTableFile[] = L"shares.tsv";
constexpr wchar_t kRefusalFile[] = L"refuse.tsv";
constexpr wchar_t kLogFile[] = L"calls.log";

bool WriteWholeFile(const fs::path& path, const std::string& text, bool append) {
    std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    out << text;
    return static_cast<bool>(out);
}

std::vector<std::string> Columns(const std::string& line) {
    std::vector<std::string> columns;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        columns.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return columns;
        }
        start = tab + 1;
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::wstring Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '%' ? HexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return FromUtf8(out);
}

// Hand-written files must not throw: a bad number reads as the fallback.
DWORD Number(const std::string& text, DWORD fallback) {
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 0);
    return (text.empty() || *end != '\0') ? fallback : static_cast<DWORD>(value);
}

std::string Hex(const std::vector<BYTE>& bytes) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const BYTE b : bytes) {
        out += hex[b >> 4];
        out += hex[b & 0xF];
    }
    return out;
}

std::vector<BYTE> Bytes(const std::string& hex) {
    std::vector<BYTE> out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]);
        const int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) {
            return {};
        }
        out.push_back(static_cast<BYTE>(high * 16 + low));
    }
    return out;
}

std::string PasswordColumn(const std::optional<std::wstring>& password) {
    std::string column;
    if (password) {
        column.push_back('=');
        column.append(EscapeField(*password));
    }
    return column;
}

// One line of a tab-separated file.
template <size_t N>
std::string JoinColumns(const std::string (&columns)[N]) {
    std::string line;
    for (size_t i = 0; i < N; ++i) {
        if (i != 0) {
            line.push_back('\t');
        }
        line.append(columns[i]);
    }
    line.append("\r\n");
    return line;
}

// Mutex names may not contain "\": the folder is folded into a hash.
std::wstring MutexName(const std::wstring& folder) {
    std::uint32_t hash = 2166136261u;
    for (wchar_t c : folder) {
        c = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : (c == L'/' ? L'\\' : c);
        hash = (hash ^ static_cast<std::uint32_t>(c)) * 16777619u;
    }
    return L"Local\\ts-netapi-double-" + std::to_wstring(hash);
}

}  // namespace

// Tabs, line ends and "%" inside a text field are written as %XX.
std::string EscapeField(const std::wstring& text) {
    std::string out;
    for (const char c : Utf8(text)) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
            static const char hex[] = "0123456789ABCDEF";
            out += '%';
            out += hex[(c >> 4) & 0xF];
            out += hex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                          nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::wstring StateFolder(HMODULE module) {
    const DWORD needed = ::GetEnvironmentVariableW(L"TS_NETAPI_DOUBLE_DIR", nullptr, 0);
    if (needed > 1) {
        std::wstring folder(needed, L'\0');
        const DWORD got = ::GetEnvironmentVariableW(L"TS_NETAPI_DOUBLE_DIR", folder.data(), needed);
        folder.resize(got);
        return folder;
    }
    std::wstring path(32768, L'\0');
    const DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/"));
}

FolderLock::FolderLock(const std::wstring& folder)
    : mutex_(::CreateMutexW(nullptr, FALSE, MutexName(folder).c_str())) {
    if (mutex_ != nullptr) {
        ::WaitForSingleObject(mutex_, INFINITE);  // an abandoned mutex is ours as well
    }
}

FolderLock::~FolderLock() {
    if (mutex_ != nullptr) {
        ::ReleaseMutex(mutex_);
        ::CloseHandle(mutex_);
    }
}

// Table columns: netname, path, remark, type, permissions, max_uses, current_uses,
// password ("" for none, otherwise "=" and the text), descriptor as hex. Only the first
// two are needed when a test writes a share by hand.
std::vector<ShareRecord> ReadShareTable(const std::wstring& folder) {
    std::vector<ShareRecord> shares;
    for (const std::string& line : Lines(ReadFileBytes(fs::path(folder) / kTableFile))) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> c = Columns(line);
        c.resize(9);
        ShareRecord share;
        share.netname = Unescape(c[0]);
        share.path = Unescape(c[1]);
        share.remark = Unescape(c[2]);
        share.type = Number(c[3], 0);
        share.permissions = Number(c[4], 0);
        share.maxUses = Number(c[5], 0xFFFFFFFFu);
        share.currentUses = Number(c[6], 0);
        if (!c[7].empty()) {
            share.password = Unescape(c[7].substr(1));
        }
        share.descriptor = Bytes(c[8]);
        shares.push_back(std::move(share));
    }
    return shares;
}

bool WriteShareTable(const std::wstring& folder, const std::vector<ShareRecord>& shares) {
    std::string text;
    for (const ShareRecord& s : shares) {
        const std::string columns[] = {
            EscapeField(s.netname),
            EscapeField(s.path),
            EscapeField(s.remark),
            std::to_string(s.type),
            std::to_string(s.permissions),
            std::to_string(static_cast<std::int32_t>(s.maxUses)),
            std::to_string(s.currentUses),
            PasswordColumn(s.password),
            Hex(s.descriptor),
        };
        text += JoinColumns(columns);
    }
    return WriteWholeFile(fs::path(folder) / kTableFile, text, false);
}

// Refusal lines: function, share name, code (decimal) and, optionally, how many calls are
// left to refuse, separated by tabs.
std::vector<Refusal> ReadRefusals(const std::wstring& folder) {
    std::vector<Refusal> refusals;
    for (const std::string& line : Lines(ReadFileBytes(fs::path(folder) / kRefusalFile))) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> c = Columns(line);
        if (c.size() < 3) {
            continue;
        }
        refusals.push_back(
            {FromUtf8(c[0]), Unescape(c[1]), Number(c[2], 0), c.size() > 3 ? Number(c[3], 0) : 0});
    }
    return refusals;
}

bool AppendLog(const std::wstring& folder, const std::string& text) {
    return WriteWholeFile(fs::path(folder) / kLogFile, text, true);
}

namespace {

std::string RefusalLine(const Refusal& refusal) {
    const std::string columns[] = {Utf8(refusal.function), EscapeField(refusal.netname),
                                   std::to_string(refusal.code), std::to_string(refusal.times)};
    return JoinColumns(columns);
}

}  // namespace

bool WriteRefusals(const std::wstring& folder, const std::vector<Refusal>& refusals) {
    std::string text;
    for (const Refusal& refusal : refusals) {
        text += RefusalLine(refusal);
    }
    return WriteWholeFile(fs::path(folder) / kRefusalFile, text, false);
}

bool AddRefusal(const std::wstring& folder, const Refusal& refusal) {
    FolderLock lock(folder);
    return WriteWholeFile(fs::path(folder) / kRefusalFile, RefusalLine(refusal), true);
}

bool SeedShare(const std::wstring& folder, const ShareRecord& share) {
    FolderLock lock(folder);
    std::vector<ShareRecord> shares = ReadShareTable(folder);
    shares.push_back(share);
    return WriteShareTable(folder, shares);
}

// The log: a call starts with "Function -> result" at the line start; its arguments and
// record fields follow as "  name=value" lines, its access entries as "  ace=..." lines.
std::vector<LoggedCall> ReadCallLog(const std::wstring& folder) {
    std::vector<LoggedCall> calls;
    std::string text;
    {
        FolderLock lock(folder);
        text = ReadFileBytes(fs::path(folder) / kLogFile);
    }
    for (const std::string& line : Lines(text)) {
        if (line.empty()) {
            continue;
        }
        if (line[0] != ' ') {
            LoggedCall call;
            const size_t arrow = line.find(" -> ");
            call.function = line.substr(0, arrow);
            if (arrow != std::string::npos) {
                call.result = std::strtoll(line.c_str() + arrow + 4, nullptr, 10);
            }
            calls.push_back(std::move(call));
            continue;
        }
        const size_t eq = line.find('=');
        if (calls.empty() || eq == std::string::npos) {
            continue;
        }
        const size_t start = line.find_first_not_of(' ');
        const std::string name = line.substr(start, eq - start);
        const std::string value = line.substr(eq + 1);
        if (name == "ace") {
            calls.back().aces.push_back(value);
        } else {
            calls.back().fields[name] = value;
        }
    }
    return calls;
}

void ResetState(const std::wstring& folder) {
    FolderLock lock(folder);
    std::error_code ignored;
    for (const wchar_t* name : {kTableFile, kRefusalFile, kLogFile}) {
        fs::remove(fs::path(folder) / name, ignored);
    }
}

}  // namespace netapi_double
