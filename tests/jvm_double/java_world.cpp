// The few Java methods a launcher calls, played by the stand-in. The application's own
// methods (main, secondaryMain, stop) do what the environment asks:
//   TS_JVM_DOUBLE_MAIN: "return" (default), "print" (one line to System.out and System.err),
//     "throw" (leaves IllegalStateException "double failure"), "exit:N" (System.exit(N)),
//     "abort" (the JVM aborts), "threads-throw:N" (N threads end at once with an exception,
//     each reported to the default handler the launcher installed; main returns once the file
//     TS_JVM_DOUBLE_HOLD_AFTER_THREADS names exists)
//   TS_JVM_DOUBLE_HELPER: "null": checkAndLoadMain answers null instead of the class
//   secondaryMain and the holds of a kept instance: secondary_main.cpp
// A service's main and stop: service_world.h.

#include "double_state.h"
#include "secondary_main.h"
#include "service_world.h"

#include <cstdlib>
#include <thread>
#include <vector>

namespace jvm_double {

namespace {

[[noreturn]] void SystemExit(jint code) {
    WriteArchiveAtEnd();
    Record("exit hook " + std::string(InstalledHooks().exit != nullptr ? "called " : "absent ") +
           std::to_string(code));
    if (InstalledHooks().exit != nullptr) {
        // A real JVM calls the hook on a thread of its own, not on the one that asked to exit.
        std::thread([code] { InstalledHooks().exit(code); }).join();
    }
    ExitProcess(static_cast<UINT>(code));
}

std::string Arguments(Object* array) {
    std::string text = "args=" + std::to_string(array != nullptr ? array->elements.size() : 0);
    if (array != nullptr) {
        for (Object* element : array->elements) {
            text += element != nullptr ? " [" + Utf8(element->text) + "]" : " null";
        }
    }
    return text;
}

Object* NewString(std::u16string text) {
    Object* string = NewObject(Object::Kind::kString, "java/lang/String");
    string->text = std::move(text);
    return string;
}

jvalue CheckAndLoadMain(va_list args) {
    const int printErrors = va_arg(args, int);
    const jint mode = va_arg(args, jint);
    Object* name = va_arg(args, Object*);
    const std::string dotted = Utf8(name->text);
    Record("checkAndLoadMain printErrors=" + std::to_string(printErrors) +
           " mode=" + std::to_string(mode) + " name=" + dotted);
    jvalue result{};
    if (Setting(L"TS_JVM_DOUBLE_HELPER") == "null") {
        return result;
    }
    std::string internal = dotted;
    for (char& c : internal) {
        c = c == '.' ? '/' : c;
    }
    if (ClassMissing(internal)) {
        WriteTo(SystemErr(), true, "Error: Could not find or load main class " + dotted + "\n");
        SystemExit(1);
    }
    result.l = static_cast<jobject>(static_cast<void*>(ClassObject(internal)));
    return result;
}

// What the JVM does for a thread that ends with an exception: the default handler's report.
void ThreadsThrow(int count) {
    using Report = void(JNICALL*)(JNIEnv*, jclass, jthrowable);
    const auto report =
        reinterpret_cast<Report>(NativeMethods()["javastub/UncaughtHandler.report"]);
    Record("threads throw " + std::to_string(count) + (report != nullptr ? " to the handler" : ""));
    std::vector<std::thread> threads;
    for (int i = 0; i < count && report != nullptr; ++i) {
        threads.emplace_back([report, i] {
            Object* error = NewObject(Object::Kind::kThrowable, "java/lang/IllegalStateException");
            error->text = Utf16("thread failure " + std::to_string(i));
            report(Environment(),
                   static_cast<jclass>(static_cast<void*>(ClassObject("javastub/UncaughtHandler"))),
                   static_cast<jthrowable>(static_cast<void*>(error)));
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    Record("threads reported");
    // The application goes on until the test has answered.
    HoldWhileAsked(L"TS_JVM_DOUBLE_HOLD_AFTER_THREADS", "after threads");
}

jvalue Main(const Method& method, va_list args) {
    Object* array = va_arg(args, Object*);
    Record("main " + method.className + " " + Arguments(array));
    HoldWhileAsked(L"TS_JVM_DOUBLE_SI_HOLD_MAIN", "main");
    if (RunServiceMain()) {
        return jvalue{};
    }
    const std::string behaviour = Setting(L"TS_JVM_DOUBLE_MAIN");
    if (behaviour == "print") {
        WriteTo(SystemOut(), false, "main output\n");
        WriteTo(SystemErr(), true, "main error\n");
    } else if (behaviour == "throw") {
        Object* error = NewObject(Object::Kind::kThrowable, "java/lang/IllegalStateException");
        error->text = u"double failure";
        Pending() = error;
    } else if (behaviour.rfind("exit:", 0) == 0) {
        SystemExit(std::atoi(behaviour.c_str() + 5));
    } else if (behaviour.rfind("threads-throw:", 0) == 0) {
        ThreadsThrow(std::atoi(behaviour.c_str() + 14));
    } else if (behaviour == "abort") {
        Record("abort hook " +
               std::string(InstalledHooks().abort != nullptr ? "called" : "absent"));
        if (InstalledHooks().abort != nullptr) {
            InstalledHooks().abort();
        }
        ExitProcess(134);
    }
    return jvalue{};
}

}  // namespace

void ExitThroughJvm(jint code) {
    SystemExit(code);
}

jvalue Invoke(Method* method, Object* receiver, va_list args) {
    const std::string& name = method->name;
    const std::string& cls = method->className;
    const std::string& signature = method->signature;
    jvalue result{};
    if (cls == "sun/launcher/LauncherHelper" && name == "checkAndLoadMain") {
        return CheckAndLoadMain(args);
    }
    if (cls == "java/lang/System" && (name == "setOut" || name == "setErr")) {
        Object* stream = va_arg(args, Object*);
        const std::string file =
            stream != nullptr && stream->target != nullptr ? Utf8(stream->target->text) : "";
        Record("System." + name + " " + file);
        (name == "setOut" ? SystemOut() : SystemErr()) = stream;
        return result;
    }
    if (cls == "java/lang/System" && name == "exit") {
        const jint code = va_arg(args, jint);
        Record("System.exit " + std::to_string(code));
        SystemExit(code);
    }
    if (cls == "java/lang/Thread" && name.ends_with("DefaultUncaughtExceptionHandler")) {
        Object* handler = name.starts_with("set") ? va_arg(args, Object*) : nullptr;
        Record("Thread." + name + (handler != nullptr ? " " + handler->className : ""));
        return result;
    }
    if (cls == "java/lang/Runtime" && name == "getRuntime") {
        result.l = static_cast<jobject>(static_cast<void*>(NewObject(Object::Kind::kPlain, cls)));
        return result;
    }
    if (cls == "java/lang/Runtime" && name == "halt") {
        const jint code = va_arg(args, jint);
        Record("Runtime.halt " + std::to_string(code));
        SystemExit(code);
    }
    if (name == "printStackTrace" && receiver != nullptr) {
        Object* stream = va_arg(args, Object*);
        Record("printStackTrace " + receiver->className);
        WriteTo(stream, false,
                JavaName(receiver->className) + ": " + Utf8(receiver->text) +
                    "\n\tat Double.main(Double.java)\n");
        return result;
    }
    if (cls == "java/io/ByteArrayOutputStream" && name == "toString" && receiver != nullptr) {
        Record("ByteArrayOutputStream.toString " + signature);
        result.l = static_cast<jobject>(static_cast<void*>(NewString(Utf16(receiver->bytes))));
        return result;
    }
    if (name == "main" && method->isStatic) {
        return Main(*method, args);
    }
    if (name == "secondaryMain" && method->isStatic) {
        return SecondaryMain(*method, args);
    }
    if (name == "stop" && method->isStatic) {
        Record("stop " + cls);
        ServiceStop();
        return result;
    }
    Fail("unexpected method " + cls + "." + name + signature);
}

Object* Construct(Object* cls, Method* constructor, va_list args) {
    const std::string& name = cls->className;
    const std::string& signature = constructor->signature;
    if (name == "java/lang/String" && signature == "([C)V") {
        return NewString(va_arg(args, Object*)->text);
    }
    if (name == "java/io/FileOutputStream" && signature == "(Ljava/lang/String;Z)V") {
        Object* fileName = va_arg(args, Object*);
        const bool append = va_arg(args, int) != 0;
        Record("FileOutputStream " + Utf8(fileName->text) + " append=" + (append ? "1" : "0"));
        HANDLE file = CreateFileW(
            reinterpret_cast<const wchar_t*>(fileName->text.c_str()),
            append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
            append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            Object* error = NewObject(Object::Kind::kThrowable, "java/io/FileNotFoundException");
            error->text = fileName->text;
            Pending() = error;
            return nullptr;
        }
        Object* stream = NewObject(Object::Kind::kFileStream, name);
        stream->file = file;  // open until the process ends, as in the JVM
        stream->text = fileName->text;
        return stream;
    }
    if (name == "java/io/PrintStream" && signature.rfind("(Ljava/io/OutputStream;", 0) == 0) {
        Object* stream = NewObject(Object::Kind::kPrintStream, name);
        stream->target = va_arg(args, Object*);
        Record("PrintStream " + signature);
        return stream;
    }
    if (name == "javastub/UncaughtHandler" && signature == "()V") {
        return NewObject(Object::Kind::kPlain, name);
    }
    if (name == "java/io/ByteArrayOutputStream" && signature == "()V") {
        return NewObject(Object::Kind::kByteBuffer, name);
    }
    Fail("unexpected constructor " + name + signature);
}

}  // namespace jvm_double
