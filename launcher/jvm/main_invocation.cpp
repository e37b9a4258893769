#include "jvm/main_invocation.h"

#include "jvm/exception_text.h"
#include "jvm/java_strings.h"
#include "jvm/local_ref.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace jvm {

namespace {

// Through the JDK's own launcher class, which also checks the main method and reports
// problems in the runtime's words (it may end the process through System.exit).
jclass LoadThroughLauncherHelper(JNIEnv* env, FindClassFromBootLoaderFn findClassFromBootLoader,
                                 const std::u16string& mainClass) {
    auto helper = MakeLocal(env, findClassFromBootLoader(env, "sun/launcher/LauncherHelper"));
    if (!helper) {
        env->ExceptionClear();
        return nullptr;
    }
    const jmethodID checkAndLoadMain = env->GetStaticMethodID(
        helper.get(), "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;");
    if (checkAndLoadMain == nullptr) {
        // A runtime whose helper differs: the plain lookup follows.
        env->ExceptionClear();
        return nullptr;
    }
    std::u16string dotted = mainClass;
    std::replace(dotted.begin(), dotted.end(), u'/', u'.');
    auto name = MakeLocal(env, NewJavaString(env, dotted));
    if (!name) {
        env->ExceptionClear();
        return nullptr;
    }
    constexpr jint kModeClass = 1;  // the name is a class, not a jar file
    auto mainClassRef =
        MakeLocal(env, static_cast<jclass>(env->CallStaticObjectMethod(
                           helper.get(), checkAndLoadMain, JNI_TRUE, kModeClass, name.get())));
    // No JNI call is allowed with an exception pending, and the plain lookup comes next.
    DescribePendingException(env);
    return mainClassRef.release();
}

jclass LoadWithFindClass(JNIEnv* env, const std::u16string& mainClass, Reporter& reporter) {
    auto name = MakeLocal(env, NewJavaString(env, InternalClassName(mainClass)));
    if (!name) {
        env->ExceptionClear();
        reporter.Report(Message::kMainClassNotLoadable, mainClass);
        return nullptr;
    }
    const auto bytes = StringUtf8(env, name.get());
    if (!bytes) {
        DescribePendingException(env);
        return nullptr;
    }
    jclass found = env->FindClass(bytes->c_str());
    if (found == nullptr) {
        DescribePendingException(env);
        reporter.Report(Message::kMainClassNotFound, mainClass);
        return nullptr;
    }
    return found;
}

[[noreturn]] void StayForever() {
    for (;;) {
        std::this_thread::sleep_for(std::chrono::hours(24));
    }
}

}  // namespace

bool InvokeMain(const Jvm& jvm, FindClassFromBootLoaderFn findClassFromBootLoader,
                const MainRequest& request, Reporter& reporter) {
    JNIEnv* env = jvm.env;

    LocalRef<jclass> mainClass;
    if (findClassFromBootLoader != nullptr) {
        mainClass = MakeLocal(
            env, LoadThroughLauncherHelper(env, findClassFromBootLoader, request.mainClass));
    }
    if (!mainClass) {
        mainClass = MakeLocal(env, LoadWithFindClass(env, request.mainClass, reporter));
        if (!mainClass) {
            return false;
        }
    }

    // Runtimes that allow an instance main accept such a class above; it has no static main,
    // and calling a missing method would crash the JVM.
    const jmethodID main =
        env->GetStaticMethodID(mainClass.get(), "main", "([Ljava/lang/String;)V");
    if (main == nullptr) {
        if (!DescribePendingException(env)) {
            reporter.Report(Message::kNoMainMethod, {});
        }
        return false;
    }

    auto arguments = MakeLocal(env, NewStringArray(env, request.arguments));
    if (!arguments) {
        DescribePendingException(env);
        return false;
    }

    if (request.beforeMain) {
        request.beforeMain();
    }
    env->CallStaticVoidMethod(mainClass.get(), main, arguments.get());

    if (request.failureCheck && env->ExceptionCheck()) {
        auto thrown = MakeLocal(env, env->ExceptionOccurred());
        // Building the text calls into Java, which is not allowed with an exception pending;
        // the exception is put back afterwards so that the JVM sees what main left.
        env->ExceptionClear();
        const std::u16string text = ExceptionText(env, thrown.get());
        env->Throw(thrown.get());
        if (request.exceptionText) {
            request.exceptionText(text);
        }
    }

    // Local references would only be freed at detach.
    arguments = {};
    mainClass = {};

    if (request.keepAlive) {
        StayForever();
    }
    return jvm.vm->DetachCurrentThread() == JNI_OK;
}

}  // namespace jvm
