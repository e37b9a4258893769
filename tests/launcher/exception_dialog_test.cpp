// The exception dialog in this process: its text, how it grows, its answers, and nothing of
// the window system left behind.
#include "windowed/exception_dialog.h"

#include <gtest/gtest.h>

#include <future>

#include "window_driver.h"

namespace launcher {
namespace {

RECT PlaceOf(HWND dialog, int id) {
    RECT rect{};
    ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
    return rect;
}

TEST(ExceptionDialog, ShowsTheTextGrowsWithTheWindowAndAnswers) {
    // The first dialogs of a process load what the system keeps for good (up to six under wine
    // in a fresh prefix); the last pass must give back everything it takes.
    ui_driver::GuiObjectCounts before;
    const struct {
        const char* way;
        void (*answer)(HWND);
        bool stop;
    } ways[] = {
        {"Stop", [](HWND dialog) { ui_driver::PressButton(dialog, IDCANCEL); }, true},
        {"Ignorieren", [](HWND dialog) { ui_driver::PressButton(dialog, IDOK); }, false},
        {"close box", &ui_driver::CloseWithCaptionButton, false},
    };
    for (int pass = 0; pass < 3; ++pass) {
        for (const auto& way : ways) {
            std::future<bool> stop = std::async(std::launch::async, [] {
                return AskStopAfterException(L"java.lang.Error: x\n\tat A.main(A.java)\n");
            });
            const HWND dialog = ui_driver::WaitForDialog(L"Java Fehler", std::chrono::seconds(30),
                                                         ::GetCurrentProcessId());
            ASSERT_NE(dialog, nullptr) << way.way;
            EXPECT_EQ(ui_driver::ControlText(dialog, 208),
                      L"java.lang.Error: x\r\n\tat A.main(A.java)\r\n");

            RECT window{};
            ::GetWindowRect(dialog, &window);
            const RECT edit = PlaceOf(dialog, 208);
            const RECT stopButton = PlaceOf(dialog, IDCANCEL);
            ::SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + 200,
                           window.bottom - window.top + 100, SWP_NOMOVE | SWP_NOZORDER);
            const RECT grown = PlaceOf(dialog, 208);
            EXPECT_EQ(grown.right - grown.left, edit.right - edit.left + 200) << way.way;
            EXPECT_EQ(grown.bottom - grown.top, edit.bottom - edit.top + 100) << way.way;
            EXPECT_EQ(PlaceOf(dialog, IDCANCEL).left - window.left,
                      stopButton.left - window.left + 200);
            // Never smaller than the template.
            ::SetWindowPos(dialog, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
            ::GetWindowRect(dialog, &window);
            EXPECT_GE(window.right - window.left, edit.right - edit.left);

            way.answer(dialog);
            EXPECT_EQ(stop.get(), way.stop) << way.way;
        }
        if (pass == 1) {
            before = ui_driver::CountGuiObjects();
        }
    }
    EXPECT_EQ(ui_driver::CountGuiObjects(), before);
    EXPECT_GT(before.gdi, 0u);
}

}  // namespace
}  // namespace launcher
