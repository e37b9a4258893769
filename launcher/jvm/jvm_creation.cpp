#include "jvm/jvm_creation.h"

#include "jvm/run_hooks.h"

#include <cstdarg>
#include <cstdio>

namespace jvm {

namespace {

// The JDK 1.1 argument block. Current runtimes still fill javaStackSize when asked with
// version 1.1; the header no longer declares the type, so it is spelled out here.
struct Jdk11InitArgs {
    jint version;
    char** properties;
    jint checkSource;
    jint nativeStackSize;
    jint javaStackSize;
    jint minHeapSize;
    jint maxHeapSize;
    jint verifyMode;
    char* classpath;
    jint(JNICALL* vfprintf)(FILE* fp, const char* format, va_list args);
    void(JNICALL* exit)(jint code);
    void(JNICALL* abort)();
    jint enableClassGC;
    jint enableVerboseGC;
    jint disableAsyncGC;
    jint verbose;
    jboolean debugging;
    jint debugPort;
};

// Option strings the JVM reads through a non-const pointer; never written by it.
char* OptionText(const std::string& text) {
    return const_cast<char*>(text.c_str());
}

}  // namespace

bool CreateJvm(CreateJavaVmFn createJavaVm, const std::vector<std::string>& options,
               Reporter& reporter, Jvm& created) {
    static const std::string abortOption = "abort";
    static const std::string exitOption = "exit";

    std::vector<JavaVMOption> entries;
    entries.reserve(options.size() + 2);
    for (const auto& option : options) {
        entries.push_back(JavaVMOption{OptionText(option), nullptr});
    }
    entries.push_back(JavaVMOption{OptionText(abortOption), reinterpret_cast<void*>(&AbortHook)});
    entries.push_back(JavaVMOption{OptionText(exitOption), reinterpret_cast<void*>(&ExitHook)});

    JavaVMInitArgs args{};
    args.version = JNI_VERSION_1_2;
    args.nOptions = static_cast<jint>(entries.size());
    args.options = entries.data();
    args.ignoreUnrecognized = JNI_FALSE;

    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    const jint result = createJavaVm(&vm, reinterpret_cast<void**>(&env), &args);
    if (result != JNI_OK) {
        reporter.ReportCreateFailure(result);
        return false;
    }
    created = Jvm{vm, env};
    return true;
}

unsigned DefaultJavaStackSize(GetDefaultInitArgsFn getDefaultInitArgs) {
    Jdk11InitArgs args{};
    args.version = JNI_VERSION_1_1;
    // The answer is not an error indicator here: runtimes refuse version 1.1 and still fill in
    // the stack size.
    getDefaultInitArgs(&args);
    return args.javaStackSize < 1 ? 0U : static_cast<unsigned>(args.javaStackSize);
}

}  // namespace jvm
