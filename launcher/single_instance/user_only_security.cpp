#include "single_instance/user_only_security.h"

#include <aclapi.h>
#include <sddl.h>

#include <string>
#include <vector>

namespace launcher {
namespace {

// A record of this process's token (TOKEN_USER, TOKEN_OWNER); empty when it cannot be read.
std::vector<BYTE> TokenRecord(TOKEN_INFORMATION_CLASS kind) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    const support::UniqueHandle owned(token);
    DWORD size = 0;
    ::GetTokenInformation(token, kind, nullptr, 0, &size);
    std::vector<BYTE> record(size);
    if (size == 0 || !::GetTokenInformation(token, kind, record.data(), size, &size)) {
        return {};
    }
    return record;
}

PSID UserSid(std::vector<BYTE>& tokenUser) {
    return tokenUser.empty() ? nullptr : reinterpret_cast<TOKEN_USER*>(tokenUser.data())->User.Sid;
}

PSID OwnerSid(std::vector<BYTE>& tokenOwner) {
    return tokenOwner.empty() ? nullptr : reinterpret_cast<TOKEN_OWNER*>(tokenOwner.data())->Owner;
}

}  // namespace

UserOnlySecurity::UserOnlySecurity() {
    std::vector<BYTE> user = TokenRecord(TokenUser);
    wchar_t* sidText = nullptr;
    if (UserSid(user) == nullptr || !::ConvertSidToStringSidW(UserSid(user), &sidText)) {
        return;
    }
    const support::UniqueLocal<wchar_t> sid(sidText);
    // Owner the user; a protected list that grants the user everything and nobody else anything.
    const std::wstring text = L"O:" + std::wstring(sid.get()) + L"D:P(A;;GA;;;" + sid.get() + L")";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(text.c_str(), SDDL_REVISION_1,
                                                                &descriptor, nullptr)) {
        return;
    }
    descriptor_.reset(descriptor);
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = descriptor;
    attributes_.bInheritHandle = FALSE;
}

bool OwnedByThisUser(HANDLE object) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(object, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                          nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const support::UniqueLocal<void> owned(descriptor);
    // Windows gives every object an owner; wine gives one only where the creator named it, so
    // an object without one cannot be told apart and is taken as before.
    if (owner == nullptr) {
        return true;
    }
    // Ours when we made it: owned by the user, or by the token's default owner, which is what
    // an elevated administrator's objects get (the administrators) and what a launcher of an
    // earlier build, which named no owner, left.
    std::vector<BYTE> user = TokenRecord(TokenUser);
    std::vector<BYTE> defaultOwner = TokenRecord(TokenOwner);
    return (UserSid(user) != nullptr && ::EqualSid(owner, UserSid(user))) ||
           (OwnerSid(defaultOwner) != nullptr && ::EqualSid(owner, OwnerSid(defaultOwner)));
}

}  // namespace launcher
