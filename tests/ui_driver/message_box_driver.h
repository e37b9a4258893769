#pragma once
// Finds the message boxes another process shows, reads them (title, text, buttons, icon)
// and presses their buttons, as a user would.
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "run_process.h"

namespace testing_support {

struct MessageBoxButton {
    int id = 0;  // IDOK, IDYES, ...
    std::wstring text;
};

struct MessageBoxInfo {
    HWND window = nullptr;
    DWORD processId = 0;
    std::wstring title;
    std::wstring text;  // the static control with id 65535
    std::vector<MessageBoxButton> buttons;
    // MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK, 0 for none,
    // MB_ICONMASK for an icon of its own; nullopt when the box appeared before the driver.
    std::optional<UINT> icon;
};

class MessageBoxDriver {
  public:
    // Watches boxes created from now on in every process of this bitness
    // (message_box_hook.dll beside the test program).
    MessageBoxDriver();
    ~MessageBoxDriver();
    MessageBoxDriver(const MessageBoxDriver&) = delete;
    MessageBoxDriver& operator=(const MessageBoxDriver&) = delete;

    bool Watching() const { return hook_ != nullptr; }

    // The first visible message box of the process that runs this program file.
    std::optional<MessageBoxInfo> WaitForMessageBox(const std::wstring& programPath,
                                                    std::chrono::milliseconds timeout) const;
    // Presses the button with this id and waits until the box has gone.
    static bool Press(const MessageBoxInfo& box, int buttonId);

  private:
    HMODULE library_ = nullptr;
    HHOOK hook_ = nullptr;
};

// A run of a program whose message boxes were answered.
struct AnsweredRun {
    ProcessResult result;
    std::vector<MessageBoxInfo> boxes;  // in the order they appeared
};

// Starts the program and answers each box it shows with the button that answer picks
// (IDOK when no answer is given), until the program ends.
AnsweredRun RunAnsweringBoxes(const MessageBoxDriver& driver, const ProcessRequest& request,
                              std::function<int(const MessageBoxInfo&)> answer = {});

}  // namespace testing_support
