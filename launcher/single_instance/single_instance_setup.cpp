// Whether this start is the primary instance, a secondary one that hands its arguments over,
// or neither.
#include <cstring>

#include "settings/ini_file.h"
#include "settings/settings_paths.h"
#include "single_instance/block_fields.h"
#include "single_instance/hand_over_lock.h"
#include "single_instance/instance_block.h"
#include "single_instance/primary_instance.h"
#include "single_instance/single_instance.h"
#include "single_instance/user_only_security.h"
#include "trace/startup_trace.h"
#include "jvm_start/wide_text.h"

namespace launcher {
namespace {

bool SingleInstanceRequested(const LauncherSettings& settings) {
    // A service is never a single instance; the switch is not even read then.
    if (settings.isService) {
        return false;
    }
    const std::optional<std::wstring> file = SettingsFilePath();
    return file &&
           SettingsReader(*file).ReadSetting(kSectionApplication, L"Single Instance") == L"yes";
}

// Every failure of the primary's set-up leaves the mode off: this start runs on its own, and
// the block goes, so that the next start may become the primary.
bool ModeOff(SingleInstanceState& state) {
    state.primary.reset();
    state.startEvent.reset();
    state.view.reset();
    state.mapping.reset();
    state.isSecondary = false;
    state.primaryProcessId = 0;
    state.messageId = 0;
    return true;
}

bool BecomePrimary(SingleInstanceState& state, const LauncherSettings& settings,
                   std::shared_ptr<const LiveJvm> jvm, const std::wstring& baseName,
                   SECURITY_ATTRIBUTES* security) {
    state.startEvent.reset(::CreateEventW(security, TRUE, FALSE, StartEventName(baseName).c_str()));
    if (!state.startEvent) {
        return ModeOff(state);
    }
    // Left signalled by an earlier primary that did not end cleanly: main has not started here.
    ::ResetEvent(state.startEvent.get());
    const UINT messageId = ::RegisterWindowMessageW(baseName.c_str());
    if (messageId == 0) {
        return ModeOff(state);
    }
    bool lockWasThere = false;
    support::UniqueHandle lock = OpenHandOverLock(baseName, security, &lockWasThere);
    if (!lock) {
        return ModeOff(state);
    }
    // No secondary can hold the lock for this block yet: they take it only after the message
    // thread below has published itself. A lock still taken belongs to a primary that died.
    if (lockWasThere) {
        ReleaseHandOverLock(lock.get());
    }
    StoreField(state.view.get(), kMessageIdOffset, messageId);
    StoreField(state.view.get(), kProcessIdOffset, ::GetCurrentProcessId());
    state.primary =
        PrimaryInstance::Start(state, settings, std::move(jvm), messageId, std::move(lock));
    if (!state.primary) {
        return ModeOff(state);
    }
    return true;
}

// The primary publishes its message thread last; a start that comes while it is still setting
// up waits for it. 0 when it does not appear in time.
DWORD PublishedMessageThread(const void* block, ULONGLONG deadline) {
    for (;;) {
        if (const DWORD thread = LoadField(block, kThreadIdOffset); thread != 0) {
            return thread;
        }
        if (::GetTickCount64() >= deadline) {
            return 0;
        }
        ::Sleep(10);
    }
}

DWORD Remaining(ULONGLONG deadline) {
    const ULONGLONG now = ::GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// Writes this start's arguments into the block and notifies the primary. False fails the
// start-up: the arguments do not fit, the area stays taken, or the notification cannot be
// posted.
bool ForwardArguments(const SingleInstanceState& state, const std::vector<std::wstring>& arguments,
                      const std::wstring& baseName, DWORD primaryThread, ULONGLONG deadline) {
    std::vector<std::u16string> units16;
    units16.reserve(arguments.size());
    for (const std::wstring& argument : arguments) {
        units16.push_back(ToU16(argument));
    }
    const std::optional<std::vector<char16_t>> units = PackArguments(units16);
    if (!units) {
        return false;
    }
    const support::UniqueHandle lock = OpenHandOverLock(baseName);
    trace::Write(L"single instance: waiting for the hand-over lock");
    HeldHandOverLock held(lock.get(), Remaining(deadline));
    if (!held.Held()) {
        trace::Write(L"single instance: the hand-over lock stayed taken");
        return false;
    }
    trace::Write(L"single instance: hand-over lock taken");
    char16_t* area = ArgumentArea(state.view.get());
    std::memset(area, 0, kArgumentLimitBytes);
    std::memcpy(area, units->data(), units->size() * sizeof(char16_t));

    // The answer is posted to this thread, which needs a queue before it can receive one.
    MSG message;
    ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    // Run elevated, this start would have the answer of a primary of lower integrity dropped.
    ::ChangeWindowMessageFilter(state.messageId, MSGFLT_ADD);
    if (!::PostThreadMessageW(primaryThread, state.messageId, ::GetCurrentThreadId(), 0)) {
        trace::Write(L"single instance: the primary cannot be notified");
        return false;
    }
    held.HandToPrimary();
    return true;
}

bool BecomeSecondary(SingleInstanceState& state, const std::vector<std::wstring>& arguments,
                     const std::wstring& baseName) {
    const ULONGLONG deadline = ::GetTickCount64() + kHandOverWaitMilliseconds;
    const DWORD primaryThread = PublishedMessageThread(state.view.get(), deadline);
    if (primaryThread == 0) {
        return false;
    }
    // A block that no launcher of this path wrote: this start runs on its own.
    const UINT messageId = ::RegisterWindowMessageW(baseName.c_str());
    if (messageId == 0 || LoadField(state.view.get(), kMessageIdOffset) != messageId) {
        trace::Write(L"single instance: a block of another program, running alone");
        return ModeOff(state);
    }
    state.messageId = messageId;
    state.primaryProcessId = LoadField(state.view.get(), kProcessIdOffset);
    state.isSecondary = true;
    return ForwardArguments(state, arguments, baseName, primaryThread, deadline);
}

}  // namespace

void SingleInstance::Leave() {
    if (state_.primary) {
        trace::Write(L"single instance: primary role given up for the pair launcher");
    }
    ModeOff(state_);
}

bool SingleInstance::SetUp(const LauncherSettings& settings,
                           const std::vector<std::wstring>& arguments,
                           std::shared_ptr<const LiveJvm> jvm) {
    SingleInstanceState& state = state_;
    if (!SingleInstanceRequested(settings)) {
        return true;
    }
    const std::optional<std::wstring> modulePath = ModulePath();
    if (!modulePath) {
        return true;
    }
    const std::wstring baseName = InstanceBaseName(*modulePath);
    UserOnlySecurity security;
    state.mapping.reset(
        ::CreateFileMappingW(INVALID_HANDLE_VALUE, security.Attributes(), PAGE_READWRITE, 0,
                             static_cast<DWORD>(kInstanceBlockSize), baseName.c_str()));
    if (!state.mapping) {
        trace::Write(L"single instance: the block cannot be opened, running alone");
        return ModeOff(state);
    }
    const bool created = ::GetLastError() != ERROR_ALREADY_EXISTS;
    if (!created && !OwnedByThisUser(state.mapping.get())) {
        trace::Write(L"single instance: a block of another user, running alone");
        return ModeOff(state);
    }
    // Exactly the block's size: a block of the same name that is smaller cannot be mapped.
    state.view.reset(
        ::MapViewOfFile(state.mapping.get(), FILE_MAP_WRITE, 0, 0, kInstanceBlockSize));
    if (!state.view) {
        trace::Write(L"single instance: a block of another program, running alone");
        return ModeOff(state);
    }
    return created ? BecomePrimary(state, settings, std::move(jvm), baseName, security.Attributes())
                   : BecomeSecondary(state, arguments, baseName);
}

}  // namespace launcher
