#include "service_world.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>

namespace jvm_double {

namespace {

std::mutex lock;
std::condition_variable stopCalled;
int stopCalls = 0;

std::string ThisThread() {
    return "thread=" + std::to_string(GetCurrentThreadId());
}

int StopsNeeded() {
    const int needed = std::atoi(Setting(L"TS_JVM_DOUBLE_SERVICE_STOPS").c_str());
    return needed > 0 ? needed : 1;
}

void Delay(const wchar_t* setting) {
    const int delay = std::atoi(Setting(setting).c_str());
    if (delay > 0) {
        Sleep(static_cast<DWORD>(delay));
    }
}

}  // namespace

bool RunServiceMain() {
    if (Setting(L"TS_JVM_DOUBLE_SERVICE_MAIN") != "until-stop") {
        return false;
    }
    Record("service main " + ThisThread());
    const int needed = StopsNeeded();
    std::unique_lock guard(lock);
    if (!stopCalled.wait_for(guard, std::chrono::minutes(1),
                             [needed] { return stopCalls >= needed; })) {
        Record("service main gave up waiting");
    }
    guard.unlock();
    Record("service main returns");
    return true;
}

void ServiceStop() {
    int call = 0;
    {
        const std::lock_guard guard(lock);
        call = ++stopCalls;
    }
    Record("service stop call=" + std::to_string(call) + " " + ThisThread());
    const std::string behaviour = Setting(L"TS_JVM_DOUBLE_SERVICE_STOP");
    if (behaviour.rfind("exit:", 0) == 0) {
        ExitThroughJvm(std::atoi(behaviour.c_str() + 5));
    }
    stopCalled.notify_all();
}

void DelayServiceCreate() {
    Delay(L"TS_JVM_DOUBLE_SERVICE_CREATE_DELAY");
}

void DelayServiceDestroy() {
    Delay(L"TS_JVM_DOUBLE_SERVICE_DESTROY_DELAY");
}

}  // namespace jvm_double
