#include "jvm/output_redirection.h"

#include "jvm/java_strings.h"
#include "jvm/local_ref.h"

namespace jvm {

namespace {

LocalRef<jobject> NewFileStream(JNIEnv* env, const OutputFile& file) {
    auto name = MakeLocal(env, NewJavaString(env, file.name));
    if (!name) {
        return {};
    }
    auto streamClass = MakeLocal(env, env->FindClass("java/io/FileOutputStream"));
    if (!streamClass) {
        return {};
    }
    const jmethodID constructor =
        env->GetMethodID(streamClass.get(), "<init>", "(Ljava/lang/String;Z)V");
    if (constructor == nullptr) {
        return {};
    }
    return MakeLocal(env, env->NewObject(streamClass.get(), constructor, name.get(),
                                         file.append ? JNI_TRUE : JNI_FALSE));
}

LocalRef<jobject> NewPrintStream(JNIEnv* env, jobject target) {
    auto printClass = MakeLocal(env, env->FindClass("java/io/PrintStream"));
    if (!printClass) {
        return {};
    }
    const jmethodID constructor =
        env->GetMethodID(printClass.get(), "<init>", "(Ljava/io/OutputStream;)V");
    if (constructor == nullptr) {
        return {};
    }
    return MakeLocal(env, env->NewObject(printClass.get(), constructor, target));
}

bool InstallStream(JNIEnv* env, jobject printStream, StandardStream stream) {
    auto systemClass = MakeLocal(env, env->FindClass("java/lang/System"));
    if (!systemClass) {
        return false;
    }
    const char* setter = stream == StandardStream::kOut ? "setOut" : "setErr";
    const jmethodID set =
        env->GetStaticMethodID(systemClass.get(), setter, "(Ljava/io/PrintStream;)V");
    if (set == nullptr) {
        return false;
    }
    env->CallStaticVoidMethod(systemClass.get(), set, printStream);
    return true;
}

bool Redirect(JNIEnv* env, const OutputFile& file, StandardStream stream) {
    auto fileStream = NewFileStream(env, file);
    if (!fileStream) {
        return false;
    }
    auto printStream = NewPrintStream(env, fileStream.get());
    if (!printStream) {
        return false;
    }
    return InstallStream(env, printStream.get(), stream);
}

}  // namespace

bool RedirectStream(JNIEnv* env, const OutputFile& file, StandardStream stream,
                    const FolderMaker& makeFolders) {
    if (makeFolders) {
        makeFolders(file.name);
    }
    const bool installed = Redirect(env, file, stream);
    // A file that cannot be opened leaves FileNotFoundException pending: the user reads why.
    const bool failed = DescribePendingException(env);
    return installed && !failed;
}

void RedirectOutput(JNIEnv* env, const OutputFile& output, const OutputFile& error,
                    const FolderMaker& makeFolders) {
    if (!output.name.empty()) {
        RedirectStream(env, output, StandardStream::kOut, makeFolders);
    }
    if (!error.name.empty()) {
        RedirectStream(env, error, StandardStream::kErr, makeFolders);
    }
}

}  // namespace jvm
