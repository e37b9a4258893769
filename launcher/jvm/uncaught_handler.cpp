#include "jvm/uncaught_handler.h"

#include "jvm/exception_text.h"
#include "jvm/local_ref.h"
#include "jvm/uncaught_handler_class.h"

#include <atomic>

namespace jvm {

namespace {

// Process-wide: the native method carries no context.
std::atomic<UncaughtReport> registeredReport{nullptr};

void JNICALL Report(JNIEnv* env, jclass, jthrowable thrown) {
    const UncaughtReport report = registeredReport.load();
    JavaVM* vm = nullptr;
    if (report != nullptr && thrown != nullptr && env->GetJavaVM(&vm) == JNI_OK) {
        report(vm, ExceptionText(env, thrown));
    }
}

}  // namespace

bool InstallUncaughtHandler(JNIEnv* env, UncaughtReport report) {
    const char* const type = "Ljava/lang/Thread$UncaughtExceptionHandler;";
    auto threadClass = MakeLocal(env, env->FindClass("java/lang/Thread"));
    const jmethodID get = threadClass ? env->GetStaticMethodID(threadClass.get(),
                                                               "getDefaultUncaughtExceptionHandler",
                                                               (std::string("()") + type).c_str())
                                      : nullptr;
    const jmethodID set =
        get != nullptr
            ? env->GetStaticMethodID(threadClass.get(), "setDefaultUncaughtExceptionHandler",
                                     (std::string("(") + type + ")V").c_str())
            : nullptr;
    auto existing = MakeLocal(
        env, set != nullptr ? env->CallStaticObjectMethod(threadClass.get(), get) : nullptr);
    if (set == nullptr || existing || env->ExceptionCheck()) {
        env->ExceptionClear();
        return false;
    }
    // The boot loader defines it: no class path or loader of the application is touched.
    auto handlerClass =
        MakeLocal(env, env->DefineClass("javastub/UncaughtHandler", nullptr,
                                        reinterpret_cast<const jbyte*>(kUncaughtHandlerClass),
                                        static_cast<jsize>(sizeof kUncaughtHandlerClass)));
    JNINativeMethod native{const_cast<char*>("report"),
                           const_cast<char*>("(Ljava/lang/Throwable;)V"),
                           reinterpret_cast<void*>(&Report)};
    const jmethodID constructor =
        handlerClass && env->RegisterNatives(handlerClass.get(), &native, 1) == JNI_OK
            ? env->GetMethodID(handlerClass.get(), "<init>", "()V")
            : nullptr;
    auto handler = MakeLocal(
        env, constructor != nullptr ? env->NewObject(handlerClass.get(), constructor) : nullptr);
    if (!handler || env->ExceptionCheck()) {
        env->ExceptionClear();
        return false;
    }
    registeredReport.store(report);
    env->CallStaticVoidMethod(threadClass.get(), set, handler.get());
    const bool installed = !env->ExceptionCheck();
    env->ExceptionClear();
    return installed;
}

}  // namespace jvm
