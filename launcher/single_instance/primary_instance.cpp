#include "single_instance/primary_instance.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "jvm/application_calls.h"
#include "jvm_start/keeps_jvm_alive.h"
#include "jvm_start/wide_text.h"
#include "single_instance/block_fields.h"
#include "single_instance/hand_over_lock.h"
#include "single_instance/instance_block.h"
#include "support/slim_lock.h"
#include "trace/startup_trace.h"

namespace launcher {

// What the workers need from the run. Workers are not waited for, so they share this.
struct HandOverContext {
    support::SlimLock lock;
    std::shared_ptr<const LiveJvm> jvm;
    bool ended = false;  // the primary has ended its run

    support::UniqueHandle startEvent;  // a handle of the workers' own
    std::u16string mainClass;
    bool stayAttached = false;
    UINT messageId = 0;

    // The running JVM, or null when there is none or the launcher has ended.
    JavaVM* RunningJvm() {
        const std::lock_guard guard(lock);
        return ended ? nullptr : jvm->Vm();
    }
};

namespace {

// One forwarded start: the copy of its arguments and where its answer goes.
struct HandOver {
    std::shared_ptr<HandOverContext> context;
    DWORD secondaryThread = 0;
    std::vector<char16_t> area;
};

support::UniqueHandle DuplicateOwnHandle(HANDLE handle) {
    HANDLE copy = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, FALSE,
                           DUPLICATE_SAME_ACCESS)) {
        return {};
    }
    return support::UniqueHandle(copy);
}

}  // namespace

std::shared_ptr<PrimaryInstance> PrimaryInstance::Start(const SingleInstanceState& state,
                                                        const LauncherSettings& settings,
                                                        std::shared_ptr<const LiveJvm> jvm,
                                                        UINT messageId,
                                                        support::UniqueHandle lock) {
    auto context = std::make_shared<HandOverContext>();
    context->jvm = std::move(jvm);
    context->startEvent = DuplicateOwnHandle(state.startEvent.get());
    context->mainClass = ToU16(settings.mainClass);
    context->stayAttached = KeepsJvmAlive(settings);
    context->messageId = messageId;
    if (!context->startEvent) {
        return nullptr;
    }

    auto primary = std::make_shared<PrimaryInstance>(StartToken{});
    primary->block_ = state.view.get();
    primary->messageId_ = messageId;
    primary->lock_ = std::move(lock);
    primary->context_ = std::move(context);
    primary->thread_.reset(
        ::CreateThread(nullptr, 0, InstanceMessageLoop, primary.get(), 0, &primary->threadId_));
    if (!primary->thread_) {
        return nullptr;
    }
    return primary;
}

PrimaryInstance::~PrimaryInstance() {
    {
        const std::lock_guard guard(context_->lock);
        context_->ended = true;
    }
    if (!thread_) {
        return;
    }
    trace::Write(L"single instance: the primary ends, its message thread is asked to quit");
    // The quit message is lost when it comes before the thread has its queue: ask again until
    // the thread has ended.
    DWORD code = STILL_ACTIVE;
    do {
        ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        ::WaitForSingleObject(thread_.get(), 20);
    } while (::GetExitCodeThread(thread_.get(), &code) && code == STILL_ACTIVE);
}

void PrimaryInstance::Dispatch(DWORD secondaryThread) {
    auto handOver = std::make_unique<HandOver>();
    handOver->context = context_;
    handOver->secondaryThread = secondaryThread;
    const char16_t* area = ArgumentArea(block_);
    handOver->area.assign(area, area + kArgumentAreaUnits);
    ReleaseHandOverLock(lock_.get());

    const support::UniqueHandle worker(
        ::CreateThread(nullptr, 0, DeliverToSecondaryMain, handOver.get(), 0, nullptr));
    if (worker) {
        handOver.release();  // the worker owns it now
    }
}

DWORD WINAPI InstanceMessageLoop(void* parameter) {
    PrimaryInstance& primary = *static_cast<PrimaryInstance*>(parameter);
    // The queue exists before secondaries learn where to post.
    MSG message;
    ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    StoreField(primary.block_, kThreadIdOffset, ::GetCurrentThreadId());
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == primary.messageId_) {
            primary.Dispatch(static_cast<DWORD>(message.wParam));
        }
    }
    // Notifications that came after the quit are not dispatched, but each start that sent one
    // handed its hold on the lock to this process: release it, or the starts after them would
    // wait until this process is gone. Their own starts see this process end and take its
    // exit code.
    while (::PeekMessageW(&message, nullptr, primary.messageId_, primary.messageId_, PM_REMOVE)) {
        trace::Write(L"single instance: a hand-over after the end, its lock released");
        ReleaseHandOverLock(primary.lock_.get());
    }
    return 0;
}

DWORD WINAPI DeliverToSecondaryMain(void* parameter) {
    const std::unique_ptr<HandOver> handOver(static_cast<HandOver*>(parameter));
    HandOverContext& context = *handOver->context;
    ::WaitForSingleObject(context.startEvent.get(), INFINITE);

    jvm::SecondaryStart start;
    start.mainClass = context.mainClass;
    start.arguments = UnpackArguments(handOver->area);
    start.stayAttached = context.stayAttached;
    const DWORD secondaryThread = handOver->secondaryThread;
    const UINT messageId = context.messageId;
    start.answer = [secondaryThread, messageId](jint code) {
        ::PostThreadMessageW(secondaryThread, messageId,
                             static_cast<WPARAM>(static_cast<INT_PTR>(code)), 0);
    };
    return jvm::DeliverToSecondaryMain(context.RunningJvm(), start) ? 0 : 1;
}

}  // namespace launcher
