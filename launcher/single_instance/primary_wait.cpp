// A secondary instance waits for the primary's answer, or for the primary's end.
#include "launcher.h"
#include "trace/startup_trace.h"

namespace launcher {
namespace {

// The primary's answer, when it is in this thread's queue; other messages are dropped.
bool TakeAnswer(UINT messageId, int& answer) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == messageId) {
            answer = static_cast<int>(message.wParam);
            return true;
        }
    }
    return false;
}

}  // namespace

int WaitForPrimaryInstance(Launcher& launcher) {
    const SingleInstanceState& state = launcher.singleInstance;
    const support::UniqueHandle primary(
        ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, state.primaryProcessId));
    if (!primary) {
        return 0;
    }
    trace::Write(L"single instance: waiting for the primary's answer or end");
    int answer = 0;
    for (;;) {
        if (TakeAnswer(state.messageId, answer)) {
            return answer;
        }
        DWORD code = 0;
        // Whether the primary has ended cannot be told: a failure, not a success.
        if (!::GetExitCodeProcess(primary.get(), &code)) {
            return -1;
        }
        if (code != STILL_ACTIVE) {
            // An answer posted right before the primary ended still counts.
            return TakeAnswer(state.messageId, answer) ? answer : static_cast<int>(code);
        }
        // At most 100 ms, and no longer than until the answer arrives.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
    }
}

}  // namespace launcher
