// The link of the runtime dialog on a dialog of this thread: what opens it, what does not, and
// the colours it is drawn in, read back from the pixels it paints.
#include <gtest/gtest.h>

#include <memory>

#include "runtime/link_control.h"
#include "scratch_folder.h"
#include "window_driver.h"

namespace launcher {
namespace {

using namespace ui_driver;
using testing_support::ScratchFolder;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kPurple = RGB(128, 0, 128);
const wchar_t kColourKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The runtime dialog's template with its link control pointing at target, made wide enough
// for a long path.
struct LinkWindow {
    explicit LinkWindow(const std::wstring& target) {
        dialog = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(201), nullptr,
                                      PlainDialog, 0);
        link = ::GetDlgItem(dialog, 205);
        ::SetWindowTextW(link, target.c_str());
        ::SetWindowPos(link, nullptr, 0, 0, 600, 20, SWP_NOMOVE | SWP_NOZORDER);
        control.Attach(link, reinterpret_cast<HFONT>(::SendMessageW(link, WM_GETFONT, 0, 0)));
        ::ShowWindow(dialog, SW_SHOW);
        Pump();
    }
    ~LinkWindow() { ::DestroyWindow(dialog); }

    // Runs what is queued as the dialog's own message loop would.
    void Pump() const {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!::IsDialogMessageW(dialog, &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
    }
    size_t Drawn(COLORREF colour) const { return PrintClient(link).Count(colour); }

    HWND dialog = nullptr;
    HWND link = nullptr;
    LinkControl control;
};

class Link : public ::testing::Test {
  protected:
    void SetUp() override {
        // Opening the link runs this script, which leaves a record.
        scratch_.Write(L"open.bat", "@echo opened>\"" + Narrow(Record()) + "\"\r\n");
    }
    void TearDown() override {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kColourKey, 0, KEY_SET_VALUE, &key) == 0) {
            ::RegDeleteValueW(key, L"Anchor Color");
            ::RegDeleteValueW(key, L"Anchor Color Visited");
            ::RegCloseKey(key);
        }
    }

    static std::string Narrow(const std::wstring& path) {
        return std::string(path.begin(), path.end());
    }
    std::wstring Target() const { return scratch_ / L"open.bat"; }
    std::wstring Record() const { return scratch_ / L"opened.txt"; }
    bool Opened() const {
        // The file appears before the script has written it.
        return WaitUntil([&] { return scratch_.Read(L"opened.txt").starts_with("opened"); });
    }

    static void SetColour(const wchar_t* name, DWORD type, const std::wstring& value) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kColourKey, 0, nullptr, 0, KEY_SET_VALUE,
                                    nullptr, &key, nullptr),
                  0);
        ::RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
    }

    ScratchFolder scratch_;
};

TEST_F(Link, OpensOnClickEnterAndBlankOnly) {
    const struct {
        const char* what;
        void (*act)(const LinkWindow&);
        bool opens;
    } cases[] = {
        {"click",
         [](const LinkWindow& w) {
             Drag(w.link, {3, 3}, {3, 3});
         },
         true},
        {"press inside, release outside",
         [](const LinkWindow& w) {
             Drag(w.link, {3, 3}, {-40, 3});
         },
         false},
        {"press beside the text, release on it",
         [](const LinkWindow& w) {
             Drag(w.link, {598, 3}, {3, 3});
         },
         false},
        {"Enter",
         [](const LinkWindow& w) {
             ::SetFocus(w.link);
             PressKey(w.link, VK_RETURN);
         },
         true},
        {"blank",
         [](const LinkWindow& w) {
             ::SetFocus(w.link);
             PressKey(w.link, VK_SPACE);
         },
         true},
        {"another key",
         [](const LinkWindow& w) {
             ::SetFocus(w.link);
             PressKey(w.link, 'A');
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const LinkWindow window(Target());
        EXPECT_GT(window.Drawn(kBlue), 0u);
        EXPECT_EQ(window.Drawn(kPurple), 0u);
        c.act(window);
        window.Pump();
        EXPECT_EQ(window.Drawn(kPurple) > 0, c.opens);
        EXPECT_EQ(window.Drawn(kBlue) > 0, !c.opens);
        if (c.opens) {
            EXPECT_TRUE(Opened());
            ::DeleteFileW(Record().c_str());
        }

        ::EnableWindow(window.link, FALSE);
        EXPECT_GT(window.Drawn(::GetSysColor(COLOR_GRAYTEXT)), 0u);
    }
}

TEST_F(Link, ATargetThatCannotBeOpenedStaysUnvisited) {
    const LinkWindow window(scratch_ / L"missing.bat");
    Drag(window.link, {3, 3}, {3, 3});
    window.Pump();
    EXPECT_GT(window.Drawn(kBlue), 0u);
    EXPECT_EQ(window.Drawn(kPurple), 0u);
}

TEST_F(Link, ColoursComeFromTheUsersSettingsWhenWellFormed) {
    constexpr COLORREF kGreen = RGB(0, 128, 0);
    constexpr COLORREF kRed = RGB(200, 0, 0);
    const struct {
        const wchar_t* link;
        const wchar_t* visited;
        DWORD type;
        COLORREF drawn;
        COLORREF drawnVisited;
    } cases[] = {
        {L"0,128,0", L"200,0,0", REG_SZ, kGreen, kRed},
        {L" 0, 128, 0", L"200,0,0", REG_EXPAND_SZ, kGreen, kRed},
        {L"12,34", L"12,34,", REG_SZ, kBlue, kPurple},
        {L"0,-1,0", L"200,0,0 trailing text", REG_SZ, kBlue, kPurple},  // too long to be one
        {L"0,128,0", L"200,0,0", REG_MULTI_SZ, kBlue, kPurple},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.link)));
        SetColour(L"Anchor Color", c.type, c.link);
        SetColour(L"Anchor Color Visited", c.type, c.visited);
        const LinkWindow window(Target());
        EXPECT_GT(window.Drawn(c.drawn), 0u);
        Drag(window.link, {3, 3}, {3, 3});
        window.Pump();
        EXPECT_GT(window.Drawn(c.drawnVisited), 0u);
        EXPECT_EQ(window.Drawn(c.drawn), 0u);
        EXPECT_TRUE(Opened());
        ::DeleteFileW(Record().c_str());
    }
}

}  // namespace
}  // namespace launcher
