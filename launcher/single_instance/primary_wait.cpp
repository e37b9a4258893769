// A secondary instance waits for the primary's answer, or for the primary's end.
#include "single_instance/single_instance.h"
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

int SingleInstance::WaitForPrimary() const {
    const SingleInstanceState& state = state_;
    // The handle's signal, not the exit code, says that the primary ended: a primary may end
    // with 259 (STILL_ACTIVE) itself.
    const support::UniqueHandle primary(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, state.primaryProcessId));
    if (!primary) {
        return 0;
    }
    trace::Write(L"single instance: waiting for the primary's answer or end");
    int answer = 0;
    for (;;) {
        if (TakeAnswer(state.messageId, answer)) {
            return answer;
        }
        const HANDLE handles[] = {primary.get()};
        const DWORD woken =
            ::MsgWaitForMultipleObjects(1, handles, FALSE, INFINITE, QS_POSTMESSAGE);
        if (woken == WAIT_OBJECT_0) {
            DWORD code = 0;
            // Its code cannot be read: a failure, not a success.
            if (!::GetExitCodeProcess(primary.get(), &code)) {
                return -1;
            }
            // An answer posted right before the primary ended still counts.
            return TakeAnswer(state.messageId, answer) ? answer : static_cast<int>(code);
        }
        if (woken != WAIT_OBJECT_0 + 1) {
            return -1;
        }
    }
}

}  // namespace launcher
