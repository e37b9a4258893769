#include "security/share_security.h"

#include <sddl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pubdirs {
namespace {

using ::testing::UnorderedElementsAre;

struct DecodedAce {
    BYTE type;
    ACCESS_MASK mask;
    std::wstring sid;
    bool operator==(const DecodedAce&) const = default;
};

void PrintTo(const DecodedAce& ace, std::ostream* out) {
    *out << "{type " << int(ace.type) << ", mask " << ace.mask << ", "
         << std::string(ace.sid.begin(), ace.sid.end()) << "}";
}

std::wstring SidText(PSID sid) {
    LPWSTR text = nullptr;
    if (!::ConvertSidToStringSidW(sid, &text)) {
        return L"?";
    }
    support::UniqueLocal<wchar_t> owner(text);
    return text;
}

// Reads the access list back the way the share service would see it.
std::vector<DecodedAce> DecodeAcl(const ACL* acl) {
    std::vector<DecodedAce> aces;
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void* raw = nullptr;
        if (!::GetAce(const_cast<ACL*>(acl), i, &raw)) {
            ADD_FAILURE() << "GetAce " << i;
            break;
        }
        const auto* ace = static_cast<const ACCESS_ALLOWED_ACE*>(raw);  // same layout for deny
        aces.push_back(
            {ace->Header.AceType, ace->Mask, SidText(const_cast<DWORD*>(&ace->SidStart))});
    }
    return aces;
}

std::vector<DecodedAce> Build(const std::vector<std::wstring>& entries) {
    ShareSecurity security;
    const DWORD rc = BuildShareSecurity(entries, security);
    EXPECT_EQ(rc, 0u);
    if (rc != 0) {
        return {};
    }
    EXPECT_TRUE(::IsValidSecurityDescriptor(security.Descriptor()));
    BOOL present = FALSE;
    BOOL defaulted = TRUE;
    PACL dacl = nullptr;
    EXPECT_TRUE(::GetSecurityDescriptorDacl(security.Descriptor(), &present, &dacl, &defaulted));
    EXPECT_TRUE(present);
    EXPECT_FALSE(defaulted);
    EXPECT_EQ(dacl, security.accessList.get());
    EXPECT_NE(dacl, nullptr);
    return dacl != nullptr ? DecodeAcl(dacl) : std::vector<DecodedAce>{};
}

constexpr BYTE kAllow = ACCESS_ALLOWED_ACE_TYPE;
constexpr wchar_t kWorld[] = L"S-1-1-0";
constexpr wchar_t kAdmins[] = L"S-1-5-32-544";

TEST(ShareSecurity, EmptyListGivesAPresentNullAccessList) {
    ShareSecurity security;
    ASSERT_EQ(BuildShareSecurity({}, security), 0u);
    BOOL present = FALSE;
    BOOL defaulted = TRUE;
    PACL dacl = reinterpret_cast<PACL>(1);
    ASSERT_TRUE(::GetSecurityDescriptorDacl(security.Descriptor(), &present, &dacl, &defaulted));
    EXPECT_TRUE(present);
    EXPECT_FALSE(defaulted);
    EXPECT_EQ(dacl, nullptr);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ASSERT_TRUE(::GetSecurityDescriptorControl(security.Descriptor(), &control, &revision));
    EXPECT_EQ(revision, 1u);
    EXPECT_EQ(control & SE_SELF_RELATIVE, 0) << "the descriptor is absolute";
}

// Which spellings count as the two words: PermissionText.WellKnownWordsInAnyCaseOnly.
TEST(ShareSecurity, WellKnownWordsBecomeTheirSids) {
    // Where a new entry lands in the list is the system's business; order is not meaning.
    EXPECT_THAT(Build({L"Everyone/1179817", L"ADMINISTRATORS/2032127"}),
                UnorderedElementsAre(DecodedAce{kAllow, 1179817, kWorld},
                                     DecodedAce{kAllow, 2032127, kAdmins}));
}

TEST(ShareSecurity, LaterEntryForTheSameTrusteeReplacesTheEarlier) {
    EXPECT_THAT(Build({L"Everyone/2032127", L"Administrators/1179817", L"everyone/1179817"}),
                UnorderedElementsAre(DecodedAce{kAllow, 1179817, kAdmins},
                                     DecodedAce{kAllow, 1179817, kWorld}));
}

TEST(ShareSecurity, MaskWithTrailingLettersAndOtherNamesPassThrough) {
    wchar_t user[256];
    DWORD length = 256;
    ASSERT_TRUE(::GetUserNameW(user, &length));
    const std::vector<DecodedAce> aces = Build({std::wstring(user) + L"/1245631rwx"});
    ASSERT_EQ(aces.size(), 1u);
    EXPECT_EQ(aces[0].mask, 1245631u);
    EXPECT_TRUE(aces[0].sid.starts_with(L"S-1-5-21-"))
        << std::string(aces[0].sid.begin(), aces[0].sid.end());
}

TEST(ShareSecurity, MalformedAndUnknownEntriesFail) {
    ShareSecurity security;
    EXPECT_EQ(BuildShareSecurity({L"Everyone"}, security), DWORD{ERROR_INVALID_PARAMETER});
    EXPECT_EQ(BuildShareSecurity({L"Everyone/1179817", L"", L"Administrators/1"}, security),
              DWORD{ERROR_INVALID_PARAMETER});
    EXPECT_EQ(BuildShareSecurity({L"/2032127"}, security), DWORD{ERROR_INVALID_PARAMETER});
    // The code is the system's (1332 on Windows; wine answers 87); it is never success.
    EXPECT_NE(BuildShareSecurity({L"Everyone/1", L"NoSuchAccount4711/1"}, security), 0u);
}

TEST(ShareSecurity, WellKnownAccountWithoutLocalNameIsNamedBySid) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID raw = nullptr;
    ASSERT_TRUE(::AllocateAndInitializeSid(&nt, 2, 32, 544, 0, 0, 0, 0, 0, 0, &raw));
    UniqueSid admins(raw);
    UniqueAccessList list;
    ASSERT_EQ(MergeAccessEntry(L"", admins.get(), 1179817, list), 0u);
    ASSERT_EQ(MergeAccessEntry(L"", admins.get(), 2032127, list), 0u);
    ASSERT_NE(list, nullptr);
    EXPECT_THAT(DecodeAcl(list.get()), UnorderedElementsAre(DecodedAce{kAllow, 2032127, kAdmins}));
    EXPECT_EQ(MergeAccessEntry(L"", nullptr, 1, list), DWORD{ERROR_INVALID_PARAMETER});
}

TEST(AccountNameForSid, KnownAndUnknownSids) {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID raw = nullptr;
    ASSERT_TRUE(::AllocateAndInitializeSid(&world, 1, 0, 0, 0, 0, 0, 0, 0, 0, &raw));
    UniqueSid everyone(raw);
    EXPECT_EQ(AccountNameForSid(everyone.get()), L"Everyone");

    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    ASSERT_TRUE(::AllocateAndInitializeSid(&nt, 5, 21, 1, 2, 3, 4711, 0, 0, 0, &raw));
    UniqueSid nobody(raw);
    EXPECT_EQ(AccountNameForSid(nobody.get()), L"");
}

}  // namespace
}  // namespace pubdirs
