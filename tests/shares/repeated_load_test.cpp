// The installer loads, calls and unloads an action DLL once per action, all in one action
// server process: a round must give back every thread-local storage index it takes, or a
// table of some hundred rows ends the process. pubdirs.dll loads the stand-in netapi32 with
// it, so a round here covers both.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <gtest/gtest.h>

#include <string>

#include "installer_services.h"
#include "run_process.h"
#include "test_text.h"

namespace {

struct ActionLibrary {
    const char* path;
    const char* action;
};

class RepeatedLoad : public ::testing::TestWithParam<ActionLibrary> {};

// TlsAlloc hands out the lowest free index.
DWORD LowestFreeThreadIndex() {
    const DWORD index = ::TlsAlloc();
    ::TlsFree(index);
    return index;
}

// More rounds than a process has indexes.
constexpr int kRounds = 1200;

TEST_P(RepeatedLoad, LeavesNoThreadIndexTaken) {
    const std::wstring library = testing_support::WinePath(GetParam().path);
    ::MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
    pubdirs::InstallerHandle session;
    ASSERT_EQ(::MsiOpenPackageW((testing_support::ThisProgramFolder() + L"\\shares_a.msi").c_str(),
                                session.Receive()),
              0u);
    const auto round = [&] {
        const HMODULE module = ::LoadLibraryW(library.c_str());
        ASSERT_NE(module, nullptr);
        using Action = UINT(__stdcall*)(MSIHANDLE);
        const auto action = reinterpret_cast<Action>(
            reinterpret_cast<void*>(::GetProcAddress(module, GetParam().action)));
        EXPECT_NE(action, nullptr);
        if (action != nullptr) {
            action(session.Get());
        }
        ASSERT_TRUE(::FreeLibrary(module));
    };
    round();  // whatever the installer library itself keeps from the first call on
    const DWORD lowestFree = LowestFreeThreadIndex();
    for (int i = 0; i < kRounds && !HasFatalFailure(); ++i) {
        round();
    }
    EXPECT_EQ(LowestFreeThreadIndex(), lowestFree);
}

// The scheduling reads the package; the share action fails without its data.
INSTANTIATE_TEST_SUITE_P(ActionLibraries, RepeatedLoad,
                         ::testing::Values(ActionLibrary{PUBDIRS_DLL, "ProcessFolders"},
                                           ActionLibrary{PUBDIRS_DLL, "AddPubDirs"},
                                           ActionLibrary{SHARE_DATA_PROBE_DLL, "RecordShareData"}));

}  // namespace
