// The runtime-not-found dialog on a thread of its own, driven from the test's thread as a
// user would drive it: its first look, the ways out, folder picks and what it leaves behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <future>
#include <vector>

#include "folder_picker_driver.h"
#include "runtime/jvm_library_probe.h"
#include "runtime/runtime_not_found_dialog.h"
#include "window_driver.h"

namespace launcher {

namespace {
std::vector<std::wstring> probedHomes;
}  // namespace

// Records each probe; a folder counts as a runtime when it has bin\client\jvm.dll.
JvmLibrary RecordingProbe(const std::wstring& home, int) {
    probedHomes.push_back(home);
    std::wstring library = home + L"bin\\client\\jvm.dll";
    if (::GetFileAttributesW(library.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    return {std::move(library), false};
}

namespace {

using namespace ui_driver;

constexpr int kPathEdit = 201;
constexpr int kBrowse = 202;
constexpr int kMessage = 203;
const std::wstring kCaption = L"JRE nicht gefunden";
const std::wstring kText =
    L"Die Java-Laufzeitumgebung (JRE) wurde nicht gefunden. Bitte downloaden und installieren "
    L"Sie eine JRE (minimum Version 1.6) von:";

// Folders the picker can reach from the drive: no hidden folder on the way.
class PickableFolders {
  public:
    PickableFolders() {
        ::CreateDirectoryW(root_.c_str(), nullptr);
        for (const wchar_t* sub :
             {L"\\with", L"\\with\\bin", L"\\with\\bin\\client", L"\\without"}) {
            ::CreateDirectoryW((root_ + sub).c_str(), nullptr);
        }
        ::CloseHandle(::CreateFileW((root_ + L"\\with\\bin\\client\\jvm.dll").c_str(),
                                    GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    ~PickableFolders() {
        ::DeleteFileW((root_ + L"\\with\\bin\\client\\jvm.dll").c_str());
        for (const wchar_t* sub :
             {L"\\with\\bin\\client", L"\\with\\bin", L"\\with", L"\\without", L""}) {
            ::RemoveDirectoryW((root_ + sub).c_str());
        }
    }
    std::wstring With() const { return root_ + L"\\with"; }
    std::wstring Without() const { return root_ + L"\\without"; }

  private:
    std::wstring root_ = L"C:\\tsdlg-" + std::to_wstring(::GetCurrentProcessId());
};

class RuntimeDialogUi : public ::testing::Test {
  protected:
    void SetUp() override { probedHomes.clear(); }
    // A failed check may leave the dialog open; its thread must end before the test does.
    void TearDown() override {
        const auto end = std::chrono::steady_clock::now() + 60s;
        while (answer_.valid() && answer_.wait_for(100ms) != std::future_status::ready) {
            if (std::chrono::steady_clock::now() > end) {
                std::fputs("the dialog does not end\n", stderr);
                std::_Exit(1);  // a failed test rather than a hanging one
            }
            if (HWND dialog = OwnDialog(0ms)) {
                if (HWND picker = WaitForOwnedDialog(dialog, 0ms)) {
                    PressButton(picker, IDCANCEL);
                }
                PressButton(dialog, IDCANCEL);
            }
        }
    }

    HWND Open() {
        answer_ = std::async(std::launch::async,
                             [] { return ShowRuntimeNotFoundDialog(kText, 0, RecordingProbe); });
        HWND dialog = OwnDialog(30s);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    static HWND OwnDialog(std::chrono::milliseconds timeout) {
        return WaitForDialog(kCaption, timeout, ::GetCurrentProcessId());
    }
    RuntimeDialogAnswer Answer() {
        if (answer_.wait_for(30s) != std::future_status::ready) {
            ADD_FAILURE() << "the dialog is still open";
            return {};
        }
        return answer_.get();
    }

    // Browses, picks path in the picker and waits until the dialog shows it.
    void Pick(HWND dialog, const std::wstring& path) {
        PressButton(dialog, kBrowse);
        HWND picker = WaitForOwnedDialog(dialog);
        ASSERT_NE(picker, nullptr);
        ASSERT_TRUE(ChooseFolder(picker, path)) << testing::PrintToString(path);
        EXPECT_TRUE(WaitUntil([&] { return ControlText(dialog, kPathEdit) == path; }))
            << testing::PrintToString(ControlText(dialog, kPathEdit));
    }

    std::future<RuntimeDialogAnswer> answer_;
};

TEST_F(RuntimeDialogUi, OpensEmptyAndEveryWayButOkDeclines) {
    for (const DeclineWay& way : kDeclineWays) {
        SCOPED_TRACE(way.way);
        HWND dialog = Open();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(ControlText(dialog, kMessage), kText);
        EXPECT_EQ(ControlText(dialog, kPathEdit), L"");
        EXPECT_FALSE(IsControlEnabled(dialog, IDOK));

        // Centred in the work area: there is no owner on a console start.
        RECT window{};
        ::GetWindowRect(dialog, &window);
        MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
        ::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
        EXPECT_NEAR(window.left + window.right, monitor.rcWork.left + monitor.rcWork.right, 2);
        EXPECT_NEAR(window.top + window.bottom, monitor.rcWork.top + monitor.rcWork.bottom, 2);

        // Enter presses the default button, which is disabled without a runtime.
        PressKey(dialog, VK_RETURN);
        EXPECT_TRUE(AwaitPostedHandled(::GetDlgItem(dialog, kPathEdit)));
        EXPECT_TRUE(::IsWindow(dialog));

        way.end(dialog);
        const RuntimeDialogAnswer answer = Answer();
        EXPECT_FALSE(answer.accepted);
        EXPECT_EQ(answer.jvmLibraryPath, L"");
    }
    EXPECT_TRUE(probedHomes.empty());
}

TEST_F(RuntimeDialogUi, OkFollowsTheLatestPickAndNothingIsLeftBehind) {
    const PickableFolders folders;
    // The first round loads what the system keeps for the process (shell images, classes);
    // the second must give back everything it takes.
    GuiObjectCounts before;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        probedHomes.clear();
        if (round == 1) {
            before = CountGuiObjects();
        }
        HWND dialog = Open();
        ASSERT_NE(dialog, nullptr);
        if (round == 1) {
            // The counts see the dialog's windows.
            EXPECT_GT(CountGuiObjects().user, before.user);
        }
        Pick(dialog, folders.With());
        EXPECT_TRUE(WaitUntil([&] { return IsControlEnabled(dialog, IDOK); }));

        // A cancelled picker changes nothing.
        PressButton(dialog, kBrowse);
        HWND picker = WaitForOwnedDialog(dialog);
        ASSERT_NE(picker, nullptr);
        PressButton(picker, IDCANCEL);
        ASSERT_TRUE(WaitForWindowGone(picker));
        EXPECT_EQ(ControlText(dialog, kPathEdit), folders.With());
        EXPECT_TRUE(IsControlEnabled(dialog, IDOK));

        Pick(dialog, folders.Without());
        EXPECT_FALSE(IsControlEnabled(dialog, IDOK));
        Pick(dialog, L"C:\\");
        EXPECT_FALSE(IsControlEnabled(dialog, IDOK));
        Pick(dialog, folders.With());
        EXPECT_TRUE(IsControlEnabled(dialog, IDOK));
        PressButton(dialog, IDOK);

        const RuntimeDialogAnswer answer = Answer();
        EXPECT_TRUE(answer.accepted);
        EXPECT_EQ(answer.folder, folders.With() + L"\\");
        EXPECT_EQ(answer.jvmLibraryPath, folders.With() + L"\\bin\\client\\jvm.dll");
        EXPECT_EQ(probedHomes,
                  (std::vector<std::wstring>{folders.With() + L"\\", folders.Without() + L"\\",
                                             L"C:\\", folders.With() + L"\\"}));
    }
    const GuiObjectCounts after = CountGuiObjects();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_GT(before.gdi, 0u);
}

}  // namespace
}  // namespace launcher
