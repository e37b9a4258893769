// The entry points of the stand-in jvm.dll. Steered through the environment:
//   TS_JVM_DOUBLE_LOG              file that receives one line per request; JNI_CreateJavaVM
//                                  first names the library file that serves it
//   TS_JVM_DOUBLE_CREATE_RESULT    what JNI_CreateJavaVM answers (default 0)
//   TS_JVM_DOUBLE_STACK_SIZE       javaStackSize reported for a JDK 1.1 block (default 1 MiB)
//   TS_JVM_DOUBLE_MISSING_CLASSES  comma list of classes that are not found
//   TS_JVM_DOUBLE_MISSING_METHODS  comma list of name+descriptor that are not found
// A file "double.settings" beside the library, with lines NAME=value, replaces the environment
// when it exists: a service inherits the service manager's environment, not the test's.
// The service settings are in service_world.h.
// Built in variants that lack JVM_FindClassFromBootLoader or JNI_GetDefaultJavaVMInitArgs.

#include "double_state.h"
#include "secondary_main.h"
#include "service_world.h"

#include <cstdio>
#include <cstdlib>

using namespace jvm_double;

namespace {

std::string Hex(jint value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(value));
    return text;
}

// The JDK 1.1 argument block, as far as a launcher reads it.
struct Jdk11InitArgs {
    jint version;
    char** properties;
    jint checkSource;
    jint nativeStackSize;
    jint javaStackSize;
};

}  // namespace

extern "C" {

#ifndef JVM_DOUBLE_WITHOUT_DEFAULT_ARGS
JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void* args) {
    auto* block = static_cast<Jdk11InitArgs*>(args);
    Record("JNI_GetDefaultJavaVMInitArgs version=" + Hex(block->version));
    if (block->version != JNI_VERSION_1_1) {
        return JNI_OK;
    }
    const std::string size = Setting(L"TS_JVM_DOUBLE_STACK_SIZE");
    block->javaStackSize = size.empty() ? 1024 * 1024 : std::atoi(size.c_str());
    // Current runtimes refuse the 1.1 block and still report the size.
    return JNI_ERR;
}
#endif

JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** vm, void** env, void* args) {
    const auto* init = static_cast<JavaVMInitArgs*>(args);
    DelayServiceCreate();
    // Where this library was loaded from, so that a test sees which runtime a launcher chose.
    Record("library " + LibraryPath());
    Record("JNI_CreateJavaVM version=" + Hex(init->version) + " ignoreUnrecognized=" +
           std::to_string(init->ignoreUnrecognized) + " options=" + std::to_string(init->nOptions));
    for (jint i = 0; i < init->nOptions; ++i) {
        const JavaVMOption& option = init->options[i];
        Record(std::string("option ") + option.optionString +
               (option.extraInfo != nullptr ? " +extra" : ""));
        const std::string text = option.optionString;
        NoteArchiveOption(text);
        if (text == "exit") {
            InstalledHooks().exit = reinterpret_cast<void(JNICALL*)(jint)>(option.extraInfo);
        } else if (text == "abort") {
            InstalledHooks().abort = reinterpret_cast<void(JNICALL*)()>(option.extraInfo);
        }
    }
    HoldWhileAsked(L"TS_JVM_DOUBLE_SI_HOLD_CREATE", "create");
    const std::string result = Setting(L"TS_JVM_DOUBLE_CREATE_RESULT");
    if (!result.empty() && std::atoi(result.c_str()) != 0) {
        return std::atoi(result.c_str());
    }
    ResetTables();
    *vm = VirtualMachine();
    *env = Environment();
    return JNI_OK;
}

#ifdef JVM_DOUBLE_WITH_BOOT_FINDER
JNIEXPORT jclass JNICALL JVM_FindClassFromBootLoader(JNIEnv*, const char* name) {
    Record(std::string("JVM_FindClassFromBootLoader ") + name);
    if (ClassMissing(name)) {
        return nullptr;
    }
    return static_cast<jclass>(static_cast<void*>(ClassObject(name)));
}
#endif

}  // extern "C"
