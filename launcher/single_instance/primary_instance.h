#pragma once
// The primary instance's side of the hand-over: the message thread that receives the
// notifications of later starts, and one worker per start that hands its arguments to the
// application's secondaryMain once main has been entered.
#include <windows.h>

#include <memory>

#include "jvm_start/live_jvm.h"
#include "settings/launcher_settings.h"
#include "single_instance/instance_state.h"
#include "support/unique_handle.h"

namespace launcher {

struct HandOverContext;

// Thread procedures: the message thread (argument: the PrimaryInstance) and one worker per
// forwarded start (argument: the start, which the worker then owns).
DWORD WINAPI InstanceMessageLoop(void* primary);
DWORD WINAPI DeliverToSecondaryMain(void* handOver);

class PrimaryInstance {
    // Only Start makes one; the token lets it do so through make_shared.
    struct StartToken {};

  public:
    explicit PrimaryInstance(StartToken) {}

    // Starts the message thread over the mapped block; null when the thread cannot be started.
    // Workers wait for the state's start event, then hand over to jvm. The lock is the one
    // that secondaries take before they write the argument area.
    static std::shared_ptr<PrimaryInstance> Start(const SingleInstanceState& state,
                                                  const LauncherSettings& settings,
                                                  std::shared_ptr<const LiveJvm> jvm,
                                                  UINT messageId, support::UniqueHandle lock);

    // Stops the message thread: workers started before go on, but no longer reach the JVM.
    ~PrimaryInstance();
    PrimaryInstance(const PrimaryInstance&) = delete;
    PrimaryInstance& operator=(const PrimaryInstance&) = delete;

  private:
    friend DWORD WINAPI InstanceMessageLoop(void* primary);

    // On the message thread: copies the argument area, frees it for the next secondary and
    // starts the worker.
    void Dispatch(DWORD secondaryThread);

    const void* block_ = nullptr;
    UINT messageId_ = 0;
    support::UniqueHandle lock_;
    std::shared_ptr<HandOverContext> context_;
    support::UniqueHandle thread_;
    DWORD threadId_ = 0;
};

}  // namespace launcher
