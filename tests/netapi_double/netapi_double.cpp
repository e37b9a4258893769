// Stand-in for the network-share part of netapi32.dll, for tests under wine, which cannot
// create shares. Product code keeps calling NetShareAdd and friends by their real names;
// a test puts this netapi32.dll where the loader finds it first (beside the program, or
// in the prefix's 32-bit system folder for programs started from there, such as the
// installer's custom-action server) and sets WINEDLLOVERRIDES=netapi32=n. Without that
// override wine loads its own netapi32 even with this file beside the program.
//
// How tests steer it: everything lives in one folder, TS_NETAPI_DOUBLE_DIR if that is
// set, otherwise the folder of this DLL. Files there (UTF-8, tab-separated):
//   shares.tsv  the share table, kept across processes. One share per line: netname,
//               path, remark, type, permissions, max_uses, current_uses, password ("" for
//               none, else "=" and the text), descriptor (self-relative, hex). A test
//               seeds a foreign share with a line of just "name<TAB>path".
//   refuse.tsv  lines "function<TAB>share name<TAB>code[<TAB>times]": that call for that
//               share name (any case) answers the code and does nothing; with a number of
//               times other than 0, only that many calls. Function is NetShareAdd,
//               NetShareDel, NetShareGetInfo or "*".
//   calls.log   every call: a line "Function -> result", then each argument and each
//               field of the level-502 record as "  name=value", and the descriptor's
//               access list as "  dacl=..." and one "  ace=TYPE flags=F mask=M sid=S" line
//               per entry, in list order. NetApiBufferFree is logged as well, with
//               "  buffer=from NetShareGetInfo" for a buffer this process got from it.
// double_state.h has the helpers that write and read these files.
//
// Answers, as the real service gives them: level other than 502 -> 124; a missing
// record, name or path -> 87; a path that is not an existing folder -> 2116
// (NERR_UnknownDevDir); a name already taken (any case) -> 2118 (NERR_DuplicateShare);
// an invalid descriptor -> 87; no such share -> 2310 (NERR_NetNameNotFound).
#include <windows.h>
#include <lm.h>
#include <sddl.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <string>

#include "double_state.h"
#include "support/runtime_thread_index.h"

namespace netapi_double {
namespace {

HMODULE g_module = nullptr;

// Buffers handed out by NetShareGetInfo in this process and not yet freed.
std::mutex g_buffersMutex;
std::set<const void*> g_buffers;

constexpr DWORD kUnknownDevDir = 2116;
constexpr DWORD kDuplicateShare = 2118;
constexpr DWORD kNetNameNotFound = 2310;

bool SameName(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring Text(const wchar_t* text) {
    return text != nullptr ? text : L"";
}

std::string Shown(const wchar_t* text) {
    return text != nullptr ? EscapeField(text) : std::string("(null)");
}

// Called with the folder locked. A refusal for a number of calls is used up by them.
std::optional<DWORD> RefusalFor(const std::wstring& folder, const wchar_t* function,
                                const std::wstring& netname) {
    std::vector<Refusal> refusals = ReadRefusals(folder);
    for (auto r = refusals.begin(); r != refusals.end(); ++r) {
        if ((r->function == L"*" || r->function == function) && SameName(r->netname, netname)) {
            const DWORD code = r->code;
            if (r->times != 0) {
                if (--r->times == 0) {
                    refusals.erase(r);
                }
                WriteRefusals(folder, refusals);
            }
            return code;
        }
    }
    return std::nullopt;
}

std::string SidText(PSID sid) {
    LPWSTR text = nullptr;
    if (sid == nullptr || !::ConvertSidToStringSidW(sid, &text)) {
        return "(none)";
    }
    std::string shown = Utf8(text);
    ::LocalFree(text);
    return shown;
}

std::string AceTypeName(BYTE type) {
    switch (type) {
        case ACCESS_ALLOWED_ACE_TYPE:
            return "ALLOWED";
        case ACCESS_DENIED_ACE_TYPE:
            return "DENIED";
        case SYSTEM_AUDIT_ACE_TYPE:
            return "AUDIT";
        default:
            return "TYPE" + std::to_string(type);
    }
}

// The descriptor as lines of the log.
std::string DescribeDescriptor(PSECURITY_DESCRIPTOR descriptor) {
    if (descriptor == nullptr) {
        return "  shi502_security_descriptor=(null)\r\n";
    }
    if (!::IsValidSecurityDescriptor(descriptor)) {
        return "  shi502_security_descriptor=invalid\r\n";
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ::GetSecurityDescriptorControl(descriptor, &control, &revision);
    std::string out = "  shi502_security_descriptor=revision " + std::to_string(revision) +
                      ((control & SE_SELF_RELATIVE) ? " self-relative" : " absolute") + "\r\n";
    PSID owner = nullptr;
    PSID group = nullptr;
    BOOL defaulted = FALSE;
    ::GetSecurityDescriptorOwner(descriptor, &owner, &defaulted);
    ::GetSecurityDescriptorGroup(descriptor, &group, &defaulted);
    out += "  owner=" + SidText(owner) + "\r\n  group=" + SidText(group) + "\r\n";
    BOOL present = FALSE;
    PACL dacl = nullptr;
    ::GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    if (!present) {
        return out + "  dacl=absent\r\n";
    }
    if (dacl == nullptr) {
        return out + "  dacl=null\r\n";
    }
    out += "  dacl=" + std::to_string(dacl->AceCount) + " entries" +
           (defaulted ? " defaulted" : "") + "\r\n";
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* raw = nullptr;
        if (!::GetAce(dacl, i, &raw)) {
            out += "  ace=unreadable\r\n";
            continue;
        }
        const auto* header = static_cast<const ACE_HEADER*>(raw);
        out +=
            "  ace=" + AceTypeName(header->AceType) + " flags=" + std::to_string(header->AceFlags);
        if (header->AceType <= SYSTEM_AUDIT_ACE_TYPE) {
            // Allowed, denied and audit entries share one layout.
            auto* ace = static_cast<ACCESS_ALLOWED_ACE*>(raw);
            out += " mask=" + std::to_string(ace->Mask) + " sid=" + SidText(&ace->SidStart);
        }
        out += "\r\n";
    }
    return out;
}

std::vector<BYTE> SelfRelative(PSECURITY_DESCRIPTOR descriptor) {
    if (descriptor == nullptr) {
        return {};
    }
    DWORD size = ::GetSecurityDescriptorLength(descriptor);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ::GetSecurityDescriptorControl(descriptor, &control, &revision);
    std::vector<BYTE> bytes(size);
    if (control & SE_SELF_RELATIVE) {
        std::copy_n(static_cast<const BYTE*>(descriptor), size, bytes.begin());
        return bytes;
    }
    if (!::MakeSelfRelativeSD(descriptor, bytes.data(), &size)) {
        bytes.resize(size);
        if (!::MakeSelfRelativeSD(descriptor, bytes.data(), &size)) {
            return {};
        }
    }
    // The length of an absolute descriptor counts its pointer-sized header, which is larger
    // than the self-relative one in 64-bit: keep only what the self-relative form takes.
    bytes.resize(::GetSecurityDescriptorLength(bytes.data()));
    return bytes;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

NET_API_STATUS Add(const wchar_t* server, DWORD level, const BYTE* buffer, DWORD* parmErr) {
    const std::wstring folder = StateFolder(g_module);
    FolderLock lock(folder);
    std::string log =
        "  servername=" + Shown(server) + "\r\n  level=" + std::to_string(level) + "\r\n";
    const auto finish = [&](NET_API_STATUS rc) {
        AppendLog(folder, "NetShareAdd -> " + std::to_string(rc) + "\r\n" + log);
        return rc;
    };
    if (level != 502) {
        return finish(ERROR_INVALID_LEVEL);
    }
    if (buffer == nullptr) {
        return finish(ERROR_INVALID_PARAMETER);
    }
    const auto* info = reinterpret_cast<const SHARE_INFO_502*>(buffer);
    log += "  shi502_netname=" + Shown(info->shi502_netname) + "\r\n" +
           "  shi502_type=" + std::to_string(info->shi502_type) + "\r\n" +
           "  shi502_remark=" + Shown(info->shi502_remark) + "\r\n" +
           "  shi502_permissions=" + std::to_string(info->shi502_permissions) + "\r\n" +
           "  shi502_max_uses=" + std::to_string(static_cast<LONG>(info->shi502_max_uses)) +
           "\r\n" + "  shi502_current_uses=" + std::to_string(info->shi502_current_uses) + "\r\n" +
           "  shi502_path=" + Shown(info->shi502_path) + "\r\n" +
           "  shi502_passwd=" + Shown(info->shi502_passwd) + "\r\n" +
           "  shi502_reserved=" + std::to_string(info->shi502_reserved) + "\r\n" +
           DescribeDescriptor(info->shi502_security_descriptor);
    const std::wstring netname = Text(info->shi502_netname);
    if (const auto refused = RefusalFor(folder, L"NetShareAdd", netname)) {
        return finish(*refused);
    }
    const auto invalid = [&](DWORD parameter) {
        if (parmErr != nullptr) {
            *parmErr = parameter;
        }
        return finish(ERROR_INVALID_PARAMETER);
    };
    if (netname.empty()) {
        return invalid(SHARE_NETNAME_PARMNUM);
    }
    if (info->shi502_path == nullptr || info->shi502_path[0] == L'\0') {
        return invalid(SHARE_PATH_PARMNUM);
    }
    if (info->shi502_security_descriptor != nullptr &&
        !::IsValidSecurityDescriptor(info->shi502_security_descriptor)) {
        return invalid(SHARE_FILE_SD_PARMNUM);
    }
    if (!IsFolder(info->shi502_path)) {
        return finish(kUnknownDevDir);
    }
    std::vector<ShareRecord> shares = ReadShareTable(folder);
    for (const ShareRecord& s : shares) {
        if (SameName(s.netname, netname)) {
            return finish(kDuplicateShare);
        }
    }
    ShareRecord share;
    share.netname = netname;
    share.path = info->shi502_path;
    share.remark = Text(info->shi502_remark);
    share.type = info->shi502_type;
    share.permissions = info->shi502_permissions;
    share.maxUses = info->shi502_max_uses;
    share.currentUses = info->shi502_current_uses;
    if (info->shi502_passwd != nullptr) {
        share.password = info->shi502_passwd;
    }
    share.descriptor = SelfRelative(info->shi502_security_descriptor);
    shares.push_back(std::move(share));
    return finish(WriteShareTable(folder, shares) ? NERR_Success : ERROR_WRITE_FAULT);
}

// One block from the process heap: the record, then its strings, then the descriptor.
BYTE* PackRecord(const ShareRecord& share) {
    const std::wstring* texts[] = {&share.netname, &share.remark, &share.path};
    size_t size = sizeof(SHARE_INFO_502);
    for (const std::wstring* t : texts) {
        size += (t->size() + 1) * sizeof(wchar_t);
    }
    size = (size + 7) & ~size_t{7};
    const size_t descriptorOffset = size;
    size += share.descriptor.size();
    auto* block = static_cast<BYTE*>(::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, size));
    if (block == nullptr) {
        return nullptr;
    }
    auto* info = reinterpret_cast<SHARE_INFO_502*>(block);
    auto* cursor = reinterpret_cast<wchar_t*>(block + sizeof(SHARE_INFO_502));
    wchar_t** targets[] = {&info->shi502_netname, &info->shi502_remark, &info->shi502_path};
    for (size_t i = 0; i < 3; ++i) {
        *targets[i] = cursor;
        cursor = std::copy(texts[i]->begin(), texts[i]->end(), cursor);
        *cursor++ = L'\0';
    }
    info->shi502_type = share.type;
    info->shi502_permissions = share.permissions;
    info->shi502_max_uses = share.maxUses;
    info->shi502_current_uses = share.currentUses;
    info->shi502_passwd = nullptr;  // the service never hands passwords out
    info->shi502_reserved = 0;
    if (!share.descriptor.empty()) {
        std::copy(share.descriptor.begin(), share.descriptor.end(), block + descriptorOffset);
        info->shi502_security_descriptor = block + descriptorOffset;
    }
    return block;
}

NET_API_STATUS GetInfo(const wchar_t* server, const wchar_t* netname, DWORD level, BYTE** buffer) {
    const std::wstring folder = StateFolder(g_module);
    FolderLock lock(folder);
    const auto finish = [&](NET_API_STATUS rc) {
        AppendLog(folder, "NetShareGetInfo -> " + std::to_string(rc) + "\r\n  servername=" +
                              Shown(server) + "\r\n  netname=" + Shown(netname) +
                              "\r\n  level=" + std::to_string(level) + "\r\n");
        return rc;
    };
    if (buffer == nullptr || netname == nullptr) {
        return finish(ERROR_INVALID_PARAMETER);
    }
    *buffer = nullptr;
    if (const auto refused = RefusalFor(folder, L"NetShareGetInfo", netname)) {
        return finish(*refused);
    }
    if (level != 502) {
        return finish(ERROR_INVALID_LEVEL);
    }
    for (const ShareRecord& share : ReadShareTable(folder)) {
        if (SameName(share.netname, netname)) {
            *buffer = PackRecord(share);
            if (*buffer != nullptr) {
                std::lock_guard guard(g_buffersMutex);
                g_buffers.insert(*buffer);
            }
            return finish(*buffer != nullptr ? NERR_Success : ERROR_NOT_ENOUGH_MEMORY);
        }
    }
    return finish(kNetNameNotFound);
}

NET_API_STATUS Delete(const wchar_t* server, const wchar_t* netname, DWORD reserved) {
    const std::wstring folder = StateFolder(g_module);
    FolderLock lock(folder);
    const auto finish = [&](NET_API_STATUS rc) {
        AppendLog(folder, "NetShareDel -> " + std::to_string(rc) + "\r\n  servername=" +
                              Shown(server) + "\r\n  netname=" + Shown(netname) +
                              "\r\n  reserved=" + std::to_string(reserved) + "\r\n");
        return rc;
    };
    if (netname == nullptr || netname[0] == L'\0') {
        return finish(ERROR_INVALID_PARAMETER);
    }
    if (const auto refused = RefusalFor(folder, L"NetShareDel", netname)) {
        return finish(*refused);
    }
    std::vector<ShareRecord> shares = ReadShareTable(folder);
    const auto found = std::find_if(shares.begin(), shares.end(), [&](const ShareRecord& s) {
        return SameName(s.netname, netname);
    });
    if (found == shares.end()) {
        return finish(kNetNameNotFound);
    }
    shares.erase(found);
    return finish(WriteShareTable(folder, shares) ? NERR_Success : ERROR_WRITE_FAULT);
}

// Nothing may unwind into the caller, whatever a hand-written state file holds.
template <typename Call>
NET_API_STATUS Guarded(Call call) {
    try {
        return call();
    } catch (...) {
        return ERROR_INTERNAL_ERROR;
    }
}

}  // namespace
}  // namespace netapi_double

using netapi_double::Guarded;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    support::TrackRuntimeThreadIndex(reason, reserved);
    if (reason == DLL_PROCESS_ATTACH) {
        netapi_double::g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" NET_API_STATUS WINAPI NetShareAdd(LMSTR servername, DWORD level, LPBYTE buf,
                                             LPDWORD parm_err) {
    return Guarded([&] { return netapi_double::Add(servername, level, buf, parm_err); });
}

extern "C" NET_API_STATUS WINAPI NetShareGetInfo(LMSTR servername, LMSTR netname, DWORD level,
                                                 LPBYTE* bufptr) {
    return Guarded([&] { return netapi_double::GetInfo(servername, netname, level, bufptr); });
}

extern "C" NET_API_STATUS WINAPI NetShareDel(LMSTR servername, LMSTR netname, DWORD reserved) {
    return Guarded([&] { return netapi_double::Delete(servername, netname, reserved); });
}

// Logged too, so that tests can see every buffer given out come back.
extern "C" NET_API_STATUS WINAPI NetApiBufferFree(LPVOID buffer) {
    return Guarded([&]() -> NET_API_STATUS {
        bool ours = false;
        {
            std::lock_guard guard(netapi_double::g_buffersMutex);
            ours = netapi_double::g_buffers.erase(buffer) != 0;
        }
        if (ours) {
            ::HeapFree(::GetProcessHeap(), 0, buffer);
        }
        const std::wstring folder = netapi_double::StateFolder(netapi_double::g_module);
        netapi_double::FolderLock lock(folder);
        netapi_double::AppendLog(folder, std::string("NetApiBufferFree -> 0\r\n  buffer=") +
                                             (buffer == nullptr ? "(null)"
                                              : ours            ? "from NetShareGetInfo"
                                                                : "unknown") +
                                             "\r\n");
        return NERR_Success;
    });
}
