#include "jvm/application_calls.h"

#include "jvm/java_strings.h"
#include "jvm/local_ref.h"

namespace jvm {

namespace {

// Attached for the life of the holder, unless the JVM must keep the thread.
class AttachedThread {
  public:
    AttachedThread(JavaVM* vm, bool stayAttached) : vm_(vm), stayAttached_(stayAttached) {
        if (vm_ != nullptr &&
            vm_->AttachCurrentThread(reinterpret_cast<void**>(&env_), nullptr) != JNI_OK) {
            env_ = nullptr;
        }
    }
    AttachedThread(const AttachedThread&) = delete;
    AttachedThread& operator=(const AttachedThread&) = delete;
    ~AttachedThread() {
        if (env_ != nullptr && !stayAttached_) {
            vm_->DetachCurrentThread();
        }
    }

    JNIEnv* env() const { return env_; }

  private:
    JavaVM* vm_;
    bool stayAttached_;
    JNIEnv* env_ = nullptr;
};

// FindClass from a thread without Java frames uses the system class loader, which is the one
// that loaded the main class.
LocalRef<jclass> FindMainClass(JNIEnv* env, const std::u16string& mainClass) {
    const auto name = ModifiedUtf8(env, InternalClassName(mainClass));
    if (!name) {
        return {};
    }
    return MakeLocal(env, env->FindClass(name->c_str()));
}

// System.exit(code); exceptions on the way are described.
void CallSystemExit(JNIEnv* env, jint code) {
    auto systemClass = MakeLocal(env, env->FindClass("java/lang/System"));
    const jmethodID exit =
        systemClass ? env->GetStaticMethodID(systemClass.get(), "exit", "(I)V") : nullptr;
    if (exit != nullptr) {
        env->CallStaticVoidMethod(systemClass.get(), exit, code);
    }
    DescribePendingException(env);
}

}  // namespace

bool DeliverToSecondaryMain(JavaVM* vm, const SecondaryStart& start) {
    AttachedThread attached(vm, start.stayAttached);
    JNIEnv* env = attached.env();
    if (env == nullptr) {
        return false;
    }
    // Failures before the call leave no exception behind: a detaching thread would print it
    // as uncaught.
    auto mainClass = FindMainClass(env, start.mainClass);
    if (!mainClass) {
        env->ExceptionClear();
        return false;
    }
    const char* const name = "secondaryMain";
    bool intForm = false;
    jmethodID method = env->GetStaticMethodID(mainClass.get(), name, "([Ljava/lang/String;)V");
    if (method == nullptr) {
        env->ExceptionClear();
        method = env->GetStaticMethodID(mainClass.get(), name, "([Ljava/lang/String;)I");
        intForm = true;
    }
    if (method == nullptr) {
        env->ExceptionClear();
        return false;
    }
    auto arguments = MakeLocal(env, NewStringArray(env, start.arguments));
    if (!arguments) {
        env->ExceptionClear();
        return false;
    }

    if (intForm) {
        const jint result = env->CallStaticIntMethod(mainClass.get(), method, arguments.get());
        // A thrown exception leaves no meaningful result: the start is answered with 0.
        const bool threw = env->ExceptionCheck();
        if (start.answer) {
            start.answer(threw ? 0 : result);
        }
    } else {
        if (start.answer) {
            start.answer(0);
        }
        env->CallStaticVoidMethod(mainClass.get(), method, arguments.get());
    }
    return !DescribePendingException(env);
}

void StopApplication(JavaVM* vm, const std::u16string& mainClass, bool stayAttached) {
    AttachedThread attached(vm, stayAttached);
    JNIEnv* env = attached.env();
    if (env == nullptr) {
        return;
    }
    auto mainClassRef = FindMainClass(env, mainClass);
    if (!mainClassRef) {
        DescribePendingException(env);
        return;
    }
    const jmethodID stop = env->GetStaticMethodID(mainClassRef.get(), "stop", "()V");
    if (stop != nullptr) {
        env->CallStaticVoidMethod(mainClassRef.get(), stop);
        DescribePendingException(env);
        return;
    }
    DescribePendingException(env);
    CallSystemExit(env, 0);
}

void ExitJvm(JavaVM* vm, jint code) {
    AttachedThread attached(vm, false);
    if (JNIEnv* env = attached.env()) {
        CallSystemExit(env, code);
    }
}

void HaltJvm(JavaVM* vm, jint code) {
    AttachedThread attached(vm, false);
    JNIEnv* env = attached.env();
    if (env == nullptr) {
        return;
    }
    auto runtimeClass = MakeLocal(env, env->FindClass("java/lang/Runtime"));
    const jmethodID getRuntime =
        runtimeClass
            ? env->GetStaticMethodID(runtimeClass.get(), "getRuntime", "()Ljava/lang/Runtime;")
            : nullptr;
    const jmethodID halt =
        getRuntime != nullptr ? env->GetMethodID(runtimeClass.get(), "halt", "(I)V") : nullptr;
    auto runtime =
        MakeLocal(env, halt != nullptr ? env->CallStaticObjectMethod(runtimeClass.get(), getRuntime)
                                       : nullptr);
    if (runtime && !env->ExceptionCheck()) {
        env->CallVoidMethod(runtime.get(), halt, code);
    }
    env->ExceptionClear();
}

}  // namespace jvm
