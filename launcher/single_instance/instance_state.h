#pragma once
// What a single-instance start holds: the shared block, and as the primary its objects and
// message thread, or as a secondary where the answer comes from.
#include <windows.h>

#include <memory>

#include "support/unique_handle.h"

namespace launcher {

class PrimaryInstance;

// The mode is on while the block is mapped; this process is the primary while its message
// thread exists.
struct SingleInstanceState {
    // This process has handed its arguments to the primary and only waits for its answer.
    bool isSecondary = false;
    // A secondary's primary and the registered notification message it answers with.
    DWORD primaryProcessId = 0;
    UINT messageId = 0;
    support::UniqueHandle mapping;
    support::UniqueView view;
    // Set right before main is called; until then no hand-over is delivered.
    support::UniqueHandle startEvent;
    // The primary's message thread and what its workers share. Declared last, so that the
    // thread stops before the block is unmapped.
    std::shared_ptr<PrimaryInstance> primary;
};

}  // namespace launcher
