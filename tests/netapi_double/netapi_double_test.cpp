// Proves the stand-in netapi32.dll: loaded in place of wine's own, it keeps shares across
// processes, answers like the share service, obeys the steering files and logs every call.
#include <windows.h>
#include <aclapi.h>
#include <lm.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "double_state.h"
#include "run_process.h"
#include "scratch_folder.h"

namespace netapi_double {
namespace {

namespace fs = std::filesystem;
using testing_support::ProcessRequest;
using testing_support::RunProcess;
using testing_support::ScratchFolder;
using testing_support::ThisProgramFolder;

class NetapiDouble : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(shared_);
        ASSERT_TRUE(::SetEnvironmentVariableW(L"TS_NETAPI_DOUBLE_DIR", folder_.c_str()));
    }
    void TearDown() override { ::SetEnvironmentVariableW(L"TS_NETAPI_DOUBLE_DIR", nullptr); }

    NET_API_STATUS Add(const wchar_t* name, const std::wstring& path,
                       PSECURITY_DESCRIPTOR descriptor = nullptr, DWORD level = 502) {
        std::wstring netname = name;
        std::wstring remark = L"Ablage für alle";
        std::wstring pathCopy = path;
        SHARE_INFO_502 info{};
        info.shi502_netname = netname.data();
        info.shi502_type = STYPE_DISKTREE;
        info.shi502_remark = remark.data();
        info.shi502_permissions = ACCESS_ALL;
        info.shi502_max_uses = static_cast<DWORD>(-1);
        info.shi502_path = pathCopy.data();
        info.shi502_security_descriptor = descriptor;
        DWORD parmErr = 0;
        return ::NetShareAdd(nullptr, level, reinterpret_cast<BYTE*>(&info), &parmErr);
    }

    ScratchFolder scratch_;
    const std::wstring folder_ = scratch_.Path();
    const std::wstring shared_ = folder_ + L"\\shared";
};

// Everyone may read: an absolute descriptor like the one the installer action builds.
struct ReadForEveryone {
    ReadForEveryone() {
        EXPLICIT_ACCESS_W access{};
        access.grfAccessPermissions = 1179817;
        access.grfAccessMode = SET_ACCESS;
        access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
        access.Trustee.TrusteeType = TRUSTEE_IS_GROUP;
        access.Trustee.ptstrName = const_cast<wchar_t*>(L"Everyone");
        EXPECT_EQ(::SetEntriesInAclW(1, &access, nullptr, &acl), 0u);
        ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
        ::SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    }
    ~ReadForEveryone() { ::LocalFree(acl); }
    SECURITY_DESCRIPTOR descriptor{};
    PACL acl = nullptr;
};

TEST_F(NetapiDouble, IsTheLibraryThatWasLoaded) {
    wchar_t path[MAX_PATH];
    ASSERT_NE(::GetModuleFileNameW(::GetModuleHandleW(L"netapi32.dll"), path, MAX_PATH), 0u);
    EXPECT_EQ(fs::path(path).parent_path(), fs::path(ThisProgramFolder()));
}

TEST_F(NetapiDouble, KeepsTheWholeRecordAndLogsItWithTheAccessList) {
    ReadForEveryone security;
    ASSERT_EQ(Add(L"Ablage", shared_, &security.descriptor), 0u);

    BYTE* buffer = nullptr;
    ASSERT_EQ(::NetShareGetInfo(nullptr, const_cast<wchar_t*>(L"ABLAGE"), 502, &buffer), 0u);
    const auto* info = reinterpret_cast<const SHARE_INFO_502*>(buffer);
    EXPECT_STREQ(info->shi502_netname, L"Ablage");
    EXPECT_STREQ(info->shi502_path, shared_.c_str());
    EXPECT_STREQ(info->shi502_remark, L"Ablage für alle");
    EXPECT_EQ(info->shi502_permissions, DWORD{ACCESS_ALL});
    EXPECT_EQ(info->shi502_max_uses, static_cast<DWORD>(-1));
    ASSERT_NE(info->shi502_security_descriptor, nullptr);
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    ASSERT_TRUE(
        ::GetSecurityDescriptorDacl(info->shi502_security_descriptor, &present, &dacl, &defaulted));
    ASSERT_NE(dacl, nullptr);
    EXPECT_EQ(dacl->AceCount, 1u);
    EXPECT_EQ(::NetApiBufferFree(buffer), 0u);

    const std::vector<LoggedCall> calls = ReadCallLog(folder_);
    ASSERT_EQ(calls.size(), 3u);
    const LoggedCall& add = calls[0];
    EXPECT_EQ(add.function, "NetShareAdd");
    EXPECT_EQ(add.result, 0);
    const std::map<std::string, std::string> expected = {
        {"servername", "(null)"},
        {"level", "502"},
        {"shi502_netname", "Ablage"},
        {"shi502_type", "0"},
        {"shi502_remark", "Ablage f\xC3\xBCr alle"},
        {"shi502_permissions", "127"},
        {"shi502_max_uses", "-1"},
        {"shi502_current_uses", "0"},
        {"shi502_path", Utf8(shared_)},
        {"shi502_passwd", "(null)"},
        {"shi502_reserved", "0"},
        {"shi502_security_descriptor", "revision 1 absolute"},
        {"owner", "(none)"},
        {"group", "(none)"},
        {"dacl", "1 entries"},
    };
    EXPECT_EQ(add.fields, expected);
    EXPECT_EQ(add.aces, std::vector<std::string>{"ALLOWED flags=0 mask=1179817 sid=S-1-1-0"});
    EXPECT_EQ(calls[1].function, "NetShareGetInfo");
    EXPECT_EQ(calls[1].fields.at("netname"), "ABLAGE");
    EXPECT_EQ(calls[2].function, "NetApiBufferFree");
    EXPECT_EQ(calls[2].fields.at("buffer"), "from NetShareGetInfo");
}

TEST_F(NetapiDouble, NullAndMissingAccessListsAreToldApart) {
    SECURITY_DESCRIPTOR everybody{};
    ::InitializeSecurityDescriptor(&everybody, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&everybody, TRUE, nullptr, FALSE);
    ASSERT_EQ(Add(L"Offen", shared_, &everybody), 0u);
    ASSERT_EQ(Add(L"Ohne", shared_), 0u);
    const std::vector<LoggedCall> calls = ReadCallLog(folder_);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].fields.at("dacl"), "null");
    EXPECT_TRUE(calls[0].aces.empty());
    EXPECT_EQ(calls[1].fields.at("shi502_security_descriptor"), "(null)");
}

TEST_F(NetapiDouble, AnswersLikeTheShareService) {
    ASSERT_EQ(Add(L"Ablage", shared_), 0u);
    EXPECT_EQ(Add(L"ablage", shared_), 2118u) << "names are compared without case";
    EXPECT_EQ(Add(L"Fehlt", folder_ + L"\\missing"), 2116u);
    EXPECT_EQ(Add(L"Ebene", shared_, nullptr, 2), DWORD{ERROR_INVALID_LEVEL});
    EXPECT_EQ(Add(L"", shared_), DWORD{ERROR_INVALID_PARAMETER});
    BYTE* buffer = reinterpret_cast<BYTE*>(1);
    EXPECT_EQ(::NetShareGetInfo(nullptr, const_cast<wchar_t*>(L"Fehlt"), 502, &buffer), 2310u);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(::NetShareDel(nullptr, const_cast<wchar_t*>(L"Fehlt"), 0), 2310u);
    EXPECT_EQ(::NetShareDel(nullptr, const_cast<wchar_t*>(L"ABLAGE"), 0), 0u);
    EXPECT_EQ(Add(L"Ablage", shared_), 0u) << "free again after the delete";
}

TEST_F(NetapiDouble, RefusesWhatATestAsksItToRefuse) {
    ASSERT_TRUE(AddRefusal(folder_, {L"NetShareAdd", L"Gesperrt", 5}));
    ASSERT_TRUE(AddRefusal(folder_, {L"NetShareDel", L"Bleibt", 2102}));
    ASSERT_TRUE(AddRefusal(folder_, {L"NetShareAdd", L"Bleibt", 5, 1}));
    EXPECT_EQ(Add(L"gesperrt", shared_), 5u);
    EXPECT_EQ(Add(L"gesperrt", shared_), 5u);
    EXPECT_EQ(Add(L"Bleibt", shared_), 5u) << "refused once";
    EXPECT_EQ(Add(L"Bleibt", shared_), 0u);
    EXPECT_EQ(::NetShareDel(nullptr, const_cast<wchar_t*>(L"Bleibt"), 0), 2102u);
    const std::vector<ShareRecord> table = ReadShareTable(folder_);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].netname, L"Bleibt");
    EXPECT_EQ(ReadCallLog(folder_)[0].fields.at("shi502_netname"), "gesperrt")
        << "a refused call is logged with its record";
}

TEST_F(NetapiDouble, SharesOutliveTheProcessAndASeededForeignShareIsThere) {
    ShareRecord foreign;
    foreign.netname = L"Fremd";
    foreign.path = L"C:\\windows";
    ASSERT_TRUE(SeedShare(folder_, foreign));
    EXPECT_EQ(Add(L"FREMD", shared_), 2118u);
    ASSERT_EQ(Add(L"Ablage", shared_), 0u);

    const std::wstring probe = ThisProgramFolder() + L"\\share_probe.exe";
    const auto run = [&](const std::wstring& arguments) {
        return RunProcess(ProcessRequest{probe, arguments, {}, {}, {}, std::chrono::seconds(30)});
    };
    auto result = run(L"get Ablage");
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(FromUtf8(result.out), shared_);
    EXPECT_EQ(run(L"del Fremd").exitCode, 0u);
    EXPECT_EQ(run(L"get Fremd").exitCode, 2310u);
    EXPECT_EQ(Add(L"Fremd", shared_), 0u) << "the other process's delete is seen here";
}

// The way msiexec's custom-action server, started from the system folder, gets it.
TEST_F(NetapiDouble, ReachesProgramsElsewhereThroughTheSystemFolder) {
    const std::wstring elsewhere = folder_ + L"\\elsewhere";
    fs::create_directories(elsewhere);
    fs::copy_file(ThisProgramFolder() + L"\\share_probe.exe", elsewhere + L"\\share_probe.exe");
    const auto result = RunProcess(ProcessRequest{
        elsewhere + L"\\share_probe.exe", L"get Nirgends", {}, {}, {}, std::chrono::seconds(30)});
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 2310u);
    const std::vector<LoggedCall> calls = ReadCallLog(folder_);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].function, "NetShareGetInfo");
}

TEST_F(NetapiDouble, BrokenStateFilesNeverCrashTheCaller) {
    {
        std::FILE* file = ::_wfopen((folder_ + L"\\shares.tsv").c_str(), L"wb");
        ASSERT_NE(file, nullptr);
        std::fputs("Kaputt\tC:\\x\tremark\tnot-a-number\t%G\t\t\t=\tZZ\n\n#comment\n", file);
        std::fclose(file);
    }
    BYTE* buffer = nullptr;
    ASSERT_EQ(::NetShareGetInfo(nullptr, const_cast<wchar_t*>(L"Kaputt"), 502, &buffer), 0u);
    EXPECT_EQ(reinterpret_cast<SHARE_INFO_502*>(buffer)->shi502_type, 0u);
    EXPECT_EQ(reinterpret_cast<SHARE_INFO_502*>(buffer)->shi502_security_descriptor, nullptr);
    ::NetApiBufferFree(buffer);
}

}  // namespace
}  // namespace netapi_double
