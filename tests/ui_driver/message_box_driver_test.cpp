// The driver against real message boxes of another process: what it reads and presses.
#include "message_box_driver.h"

#include <gtest/gtest.h>

namespace {

using testing_support::MessageBoxDriver;

TEST(MessageBoxDriver, ReadsTitleTextButtonsAndIconAndPresses) {
    struct Case {
        UINT flags;
        std::vector<int> buttons;
        int press;
    };
    const Case cases[] = {
        {MB_OK | MB_ICONEXCLAMATION, {IDOK}, IDOK},
        {MB_OK, {IDOK}, IDOK},
        {MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}, IDNO},
        {MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}, IDYES},
        {MB_OKCANCEL | MB_ICONHAND, {IDOK, IDCANCEL}, IDCANCEL},
        {MB_OK | MB_ICONASTERISK, {IDOK}, IDOK},
    };
    MessageBoxDriver driver;
    ASSERT_TRUE(driver.Watching());
    for (const auto& c : cases) {
        testing_support::ProcessRequest request;
        request.program = testing_support::ThisProgramFolder() + L"\\message_box_probe.exe";
        request.arguments =
            std::to_wstring(c.flags) + L" \"Hinweis für Sie\" \"Zeile 1\nÄnderung\"";
        auto run = RunAnsweringBoxes(driver, request, [&](const auto&) { return c.press; });
        ASSERT_EQ(run.boxes.size(), 1u) << c.flags;
        const auto& box = run.boxes[0];
        EXPECT_EQ(box.title, L"Hinweis für Sie");
        EXPECT_EQ(box.text, L"Zeile 1\nÄnderung");
        std::vector<int> ids;
        for (const auto& button : box.buttons) {
            ids.push_back(button.id);
        }
        EXPECT_EQ(ids, c.buttons) << c.flags;
        EXPECT_EQ(box.icon, std::optional<UINT>(c.flags & MB_ICONMASK)) << c.flags;
        EXPECT_EQ(run.result.exitCode, static_cast<DWORD>(c.press)) << c.flags;
    }
}

}  // namespace
