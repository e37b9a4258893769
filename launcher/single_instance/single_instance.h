#pragma once
// Single instance between processes started from the same launcher file: the first start is
// the primary and runs the application; a later start hands its arguments to it and waits for
// its answer.
#include <memory>
#include <string>
#include <vector>

#include "jvm_start/live_jvm.h"
#include "settings/launcher_settings.h"
#include "single_instance/instance_state.h"

namespace launcher {

class SingleInstance {
  public:
    SingleInstance() = default;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Start-up, when the settings file asks for it: this start becomes the primary, whose
    // hand-overs reach jvm, or a secondary that has handed arguments over. False only when
    // start-up must fail.
    bool SetUp(const LauncherSettings& settings, const std::vector<std::wstring>& arguments,
               std::shared_ptr<const LiveJvm> jvm);

    bool IsSecondary() const { return state_.isSecondary; }

    // Gives up the primary role and closes the block and its objects: for a start that hands
    // over to the pair launcher, which coordinates under its own settings.
    void Leave();

    // A secondary's exit code: the primary's answer or its exit code.
    int WaitForPrimary() const;

    // Right before main: from here on the primary delivers hand-overs.
    void MainEntered() const {
        if (state_.startEvent) {
            ::SetEvent(state_.startEvent.get());
        }
    }

  private:
    SingleInstanceState state_;
};

}  // namespace launcher
