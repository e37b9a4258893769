#include "jvm/exception_text.h"

#include "jvm/java_strings.h"
#include "jvm/local_ref.h"

namespace jvm {

std::u16string ExceptionText(JNIEnv* env, jthrowable throwable) {
    if (throwable == nullptr) {
        return {};
    }
    auto bufferClass = MakeLocal(env, env->FindClass("java/io/ByteArrayOutputStream"));
    auto printClass = MakeLocal(env, env->FindClass("java/io/PrintStream"));
    if (!bufferClass || !printClass) {
        env->ExceptionClear();
        return {};
    }
    const jmethodID newBuffer = env->GetMethodID(bufferClass.get(), "<init>", "()V");
    // Encoded and decoded as UTF-8 rather than the platform's default charset, so that no
    // character of a message is lost on the way through the buffer.
    const jmethodID newPrint = env->GetMethodID(printClass.get(), "<init>",
                                                "(Ljava/io/OutputStream;ZLjava/lang/String;)V");
    if (newBuffer == nullptr || newPrint == nullptr) {
        env->ExceptionClear();
        return {};
    }
    auto buffer = MakeLocal(env, env->NewObject(bufferClass.get(), newBuffer));
    if (!buffer) {
        env->ExceptionClear();
        return {};
    }
    auto encoding = MakeLocal(env, NewJavaString(env, u"UTF-8"));
    if (!encoding) {
        env->ExceptionClear();
        return {};
    }
    auto printer = MakeLocal(
        env, env->NewObject(printClass.get(), newPrint, buffer.get(), JNI_FALSE, encoding.get()));
    if (!printer) {
        env->ExceptionClear();
        return {};
    }

    auto thrownClass = MakeLocal(env, env->GetObjectClass(throwable));
    const jmethodID printStackTrace =
        env->GetMethodID(thrownClass.get(), "printStackTrace", "(Ljava/io/PrintStream;)V");
    if (printStackTrace == nullptr) {
        env->ExceptionClear();
        return {};
    }
    env->CallVoidMethod(throwable, printStackTrace, printer.get());
    DescribePendingException(env);

    const jmethodID toString =
        env->GetMethodID(bufferClass.get(), "toString", "(Ljava/lang/String;)Ljava/lang/String;");
    if (toString == nullptr) {
        env->ExceptionClear();
        return {};
    }
    auto text = MakeLocal(
        env, static_cast<jstring>(env->CallObjectMethod(buffer.get(), toString, encoding.get())));
    if (DescribePendingException(env) || !text) {
        return {};
    }
    // Read as UTF-16: the trace may hold any character, and no code page can carry them all.
    return StringText(env, text.get()).value_or(std::u16string{});
}

}  // namespace jvm
