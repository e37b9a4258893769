#pragma once
// The stand-in JVM's world: a few objects that play Java objects, what the test asked for
// through the environment, and the record of every request.

#define _JNI_IMPLEMENTATION_
#include <jni.h>
#include <windows.h>

#include <string>
#include <map>
#include <string_view>
#include <vector>

namespace jvm_double {

struct Object {
    enum class Kind {
        kClass,
        kString,
        kCharArray,
        kObjectArray,
        kFileStream,
        kPrintStream,
        kByteBuffer,
        kThrowable,
        kPlain
    };
    Kind kind = Kind::kPlain;
    std::string className;  // kClass: the class named; otherwise the object's class
    std::u16string text;    // kString, kCharArray; kThrowable: message; kFileStream: file name
    std::vector<Object*> elements;       // kObjectArray
    std::string bytes;                   // kByteBuffer
    Object* target = nullptr;            // kPrintStream: the stream it writes to
    HANDLE file = INVALID_HANDLE_VALUE;  // kFileStream
    std::string utf;                     // bytes handed out by GetStringUTFChars
};

struct Method {
    std::string className;
    std::string name;
    std::string signature;
    bool isStatic = false;
};

// A value that steers the double: its line "NAME=value" in the file "double.settings" beside
// the library when that file exists (services use it), else the environment variable of that
// name; empty when unset.
std::string Setting(const wchar_t* name);
// The full path of this library.
std::string LibraryPath();
// One line in the file named by TS_JVM_DOUBLE_LOG.
void Record(std::string_view line);
// Reports a request the double does not serve, and ends the process with code 97.
[[noreturn]] void Fail(std::string_view what);

std::string Utf8(std::u16string_view text);
// A class name as Java prints it: dots between the package parts.
std::string JavaName(std::string internalName);
std::u16string Utf16(std::string_view utf8);

Object* NewObject(Object::Kind kind, std::string className);
Object* ClassObject(const std::string& name);
Method* NewMethod(std::string className, std::string name, std::string signature, bool isStatic);
bool ClassMissing(const std::string& name);
bool MethodMissing(const std::string& name, const std::string& signature);

// The JNI environment and invocation interface handed out by JNI_CreateJavaVM.
JNIEnv* Environment();
JavaVM* VirtualMachine();
void ResetTables();

// Hooks the launcher passed as "exit" and "abort" options.
struct Hooks {
    void(JNICALL* exit)(jint) = nullptr;
    void(JNICALL* abort)() = nullptr;
};
Hooks& InstalledHooks();

// The current System.out and System.err: a print stream, or null for the process's own.
Object*& SystemOut();
Object*& SystemErr();
void WriteTo(Object* printStream, bool error, std::string_view bytes);

// The class-data archive the options ask to be written when the JVM ends; written by
// WriteArchiveAtEnd, as a real JVM does before its exit hook and in DestroyJavaVM.
void NoteArchiveOption(const std::string& option);
void WriteArchiveAtEnd();

// System.exit: the exit hook on a thread of its own, then the process ends with the code.
[[noreturn]] void ExitThroughJvm(jint code);

// Native methods the launcher registered, by "class.name".
std::map<std::string, void*>& NativeMethods();

// Runs a Java method of the stand-in world.
jvalue Invoke(Method* method, Object* receiver, va_list args);
Object* Construct(Object* cls, Method* constructor, va_list args);

// The exception pending on this thread.
Object*& Pending();

}  // namespace jvm_double
