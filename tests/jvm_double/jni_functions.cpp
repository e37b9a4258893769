// The JNI function table and invocation interface of the stand-in. Only what a launcher uses
// is served; every other slot ends the process with its slot number, so that a launcher that
// starts to need more is noticed at once.

#include "double_state.h"
#include "service_world.h"

#include <array>
#include <atomic>
#include <cstring>
#include <utility>

namespace jvm_double {

namespace {

Object* Obj(void* handle) {
    return static_cast<Object*>(handle);
}
Method* Meth(jmethodID id) {
    return reinterpret_cast<Method*>(id);
}

// A JNI call with an exception pending is a launcher fault; the real JVM only warns under
// -Xcheck:jni, the double stops.
void Guard(const char* function) {
    if (Pending() != nullptr) {
        Fail(std::string("JNI call made with exception pending: ") + function);
    }
}

template <std::size_t Slot>
void JNICALL UnimplementedFunction() {
    Fail("unimplemented JNI function, table slot " + std::to_string(Slot));
}

template <std::size_t Slot>
void JNICALL UnimplementedInvocation() {
    Fail("unimplemented invocation function, slot " + std::to_string(Slot));
}

template <std::size_t... Slots>
std::array<void*, sizeof...(Slots)> FunctionStubs(std::index_sequence<Slots...>) {
    return {reinterpret_cast<void*>(&UnimplementedFunction<Slots>)...};
}

template <std::size_t... Slots>
std::array<void*, sizeof...(Slots)> InvocationStubs(std::index_sequence<Slots...>) {
    return {reinterpret_cast<void*>(&UnimplementedInvocation<Slots>)...};
}

jint JNICALL GetVersion(JNIEnv*) {
    return JNI_VERSION_1_2;
}

jclass JNICALL FindClass(JNIEnv*, const char* name) {
    Guard("FindClass");
    Record(std::string("FindClass ") + name);
    if (ClassMissing(name)) {
        Object* error = NewObject(Object::Kind::kThrowable, "java/lang/NoClassDefFoundError");
        error->text = Utf16(name);
        Pending() = error;
        return nullptr;
    }
    return static_cast<jclass>(static_cast<void*>(ClassObject(name)));
}

jint JNICALL Throw(JNIEnv*, jthrowable thrown) {
    Guard("Throw");
    Record("Throw " + Obj(thrown)->className);
    Pending() = Obj(thrown);
    return 0;
}

jthrowable JNICALL ExceptionOccurred(JNIEnv*) {
    return static_cast<jthrowable>(static_cast<void*>(Pending()));
}

void JNICALL ExceptionDescribe(JNIEnv*) {
    Object* pending = std::exchange(Pending(), nullptr);
    if (pending == nullptr) {
        return;
    }
    Record("ExceptionDescribe " + JavaName(pending->className) + ": " + Utf8(pending->text));
    WriteTo(SystemErr(), true,
            "Exception in thread \"main\" " + JavaName(pending->className) + ": " +
                Utf8(pending->text) + "\n");
}

void JNICALL ExceptionClear(JNIEnv*) {
    Pending() = nullptr;
}

jboolean JNICALL ExceptionCheck(JNIEnv*) {
    return Pending() != nullptr ? JNI_TRUE : JNI_FALSE;
}

void JNICALL DeleteLocalRef(JNIEnv*, jobject) {}

jclass JNICALL GetObjectClass(JNIEnv*, jobject object) {
    Guard("GetObjectClass");
    return static_cast<jclass>(static_cast<void*>(ClassObject(Obj(object)->className)));
}

jmethodID Lookup(jclass cls, const char* name, const char* signature, bool isStatic) {
    const std::string className = Obj(cls)->className;
    Record(std::string(isStatic ? "GetStaticMethodID " : "GetMethodID ") + className + " " + name +
           " " + signature);
    if (MethodMissing(name, signature)) {
        Object* error = NewObject(Object::Kind::kThrowable, "java/lang/NoSuchMethodError");
        error->text = Utf16(name);
        Pending() = error;
        return nullptr;
    }
    return reinterpret_cast<jmethodID>(NewMethod(className, name, signature, isStatic));
}

jmethodID JNICALL GetMethodID(JNIEnv*, jclass cls, const char* name, const char* signature) {
    Guard("GetMethodID");
    return Lookup(cls, name, signature, false);
}

jmethodID JNICALL GetStaticMethodID(JNIEnv*, jclass cls, const char* name, const char* signature) {
    Guard("GetStaticMethodID");
    return Lookup(cls, name, signature, true);
}

jobject JNICALL NewObjectV(JNIEnv*, jclass cls, jmethodID constructor, va_list args) {
    Guard("NewObjectV");
    return static_cast<jobject>(static_cast<void*>(Construct(Obj(cls), Meth(constructor), args)));
}

jobject JNICALL CallObjectMethodV(JNIEnv*, jobject object, jmethodID method, va_list args) {
    Guard("CallObjectMethodV");
    return Invoke(Meth(method), Obj(object), args).l;
}

void JNICALL CallVoidMethodV(JNIEnv*, jobject object, jmethodID method, va_list args) {
    Guard("CallVoidMethodV");
    Invoke(Meth(method), Obj(object), args);
}

jobject JNICALL CallStaticObjectMethodV(JNIEnv*, jclass, jmethodID method, va_list args) {
    Guard("CallStaticObjectMethodV");
    return Invoke(Meth(method), nullptr, args).l;
}

void JNICALL CallStaticVoidMethodV(JNIEnv*, jclass, jmethodID method, va_list args) {
    Guard("CallStaticVoidMethodV");
    Invoke(Meth(method), nullptr, args);
}

jint JNICALL CallStaticIntMethodV(JNIEnv*, jclass, jmethodID method, va_list args) {
    Guard("CallStaticIntMethodV");
    return Invoke(Meth(method), nullptr, args).i;
}

jsize JNICALL GetStringLength(JNIEnv*, jstring text) {
    Guard("GetStringLength");
    return static_cast<jsize>(Obj(text)->text.size());
}

void JNICALL GetStringRegion(JNIEnv*, jstring text, jsize start, jsize length, jchar* out) {
    Guard("GetStringRegion");
    const std::u16string& units = Obj(text)->text;
    if (start < 0 || length < 0 || static_cast<std::size_t>(start) + length > units.size()) {
        Fail("GetStringRegion out of bounds");
    }
    std::memcpy(out, units.data() + start, static_cast<std::size_t>(length) * sizeof(jchar));
}

const char* JNICALL GetStringUTFChars(JNIEnv*, jstring text, jboolean* isCopy) {
    Guard("GetStringUTFChars");
    Object* string = Obj(text);
    // Modified UTF-8 equals UTF-8 for the texts a launcher hands over (no NUL, no lone
    // surrogates); supplementary characters would differ, and launchers do not send them here.
    string->utf = Utf8(string->text);
    if (isCopy != nullptr) {
        *isCopy = JNI_TRUE;
    }
    return string->utf.c_str();
}

void JNICALL ReleaseStringUTFChars(JNIEnv*, jstring, const char*) {}

jsize JNICALL GetArrayLength(JNIEnv*, jarray array) {
    Guard("GetArrayLength");
    return static_cast<jsize>(Obj(array)->elements.size());
}

jobjectArray JNICALL NewObjectArray(JNIEnv*, jsize length, jclass elementClass, jobject initial) {
    Guard("NewObjectArray");
    Object* array =
        NewObject(Object::Kind::kObjectArray, "[L" + Obj(elementClass)->className + ";");
    array->elements.assign(static_cast<std::size_t>(length), Obj(initial));
    return static_cast<jobjectArray>(static_cast<void*>(array));
}

void JNICALL SetObjectArrayElement(JNIEnv*, jobjectArray array, jsize index, jobject value) {
    Guard("SetObjectArrayElement");
    auto& elements = Obj(array)->elements;
    if (index < 0 || static_cast<std::size_t>(index) >= elements.size()) {
        Fail("SetObjectArrayElement out of bounds");
    }
    elements[static_cast<std::size_t>(index)] = Obj(value);
}

jcharArray JNICALL NewCharArray(JNIEnv*, jsize length) {
    Guard("NewCharArray");
    Object* array = NewObject(Object::Kind::kCharArray, "[C");
    array->text.assign(static_cast<std::size_t>(length), u'\0');
    return static_cast<jcharArray>(static_cast<void*>(array));
}

void JNICALL SetCharArrayRegion(JNIEnv*, jcharArray array, jsize start, jsize length,
                                const jchar* units) {
    Guard("SetCharArrayRegion");
    std::u16string& text = Obj(array)->text;
    if (start < 0 || length < 0 || static_cast<std::size_t>(start) + length > text.size()) {
        Fail("SetCharArrayRegion out of bounds");
    }
    std::memcpy(text.data() + start, units, static_cast<std::size_t>(length) * sizeof(jchar));
}

// Invocation interface.

// As in the real JVM, a destroyed JVM takes no more threads.
std::atomic<bool> destroyed{false};

jclass JNICALL DefineClass(JNIEnv*, const char* name, jobject loader, const jbyte*, jsize size) {
    Guard("DefineClass");
    Record(std::string("DefineClass ") + name + (loader == nullptr ? " boot loader" : " loader") +
           (size > 0 ? " with bytes" : " empty"));
    return static_cast<jclass>(static_cast<void*>(ClassObject(name)));
}

jint JNICALL RegisterNatives(JNIEnv*, jclass cls, const JNINativeMethod* methods, jint count) {
    Guard("RegisterNatives");
    for (jint i = 0; i < count; ++i) {
        Record("RegisterNatives " + Obj(cls)->className + "." + methods[i].name +
               methods[i].signature);
        NativeMethods()[Obj(cls)->className + "." + methods[i].name] = methods[i].fnPtr;
    }
    return JNI_OK;
}

jint JNICALL GetJavaVM(JNIEnv*, JavaVM** vm) {
    *vm = VirtualMachine();
    return JNI_OK;
}

jint JNICALL DestroyJavaVM(JavaVM*) {
    Record("DestroyJavaVM");
    WriteArchiveAtEnd();
    DelayServiceDestroy();
    destroyed = true;
    return JNI_OK;
}

jint JNICALL AttachCurrentThread(JavaVM*, void** env, void*) {
    if (destroyed) {
        Record("AttachCurrentThread refused");
        return JNI_ERR;
    }
    Record("AttachCurrentThread");
    *env = Environment();
    return JNI_OK;
}

jint JNICALL DetachCurrentThread(JavaVM*) {
    // As the real JVM does, an exception still pending is reported as uncaught.
    if (Object* pending = std::exchange(Pending(), nullptr)) {
        Record("DetachCurrentThread uncaught " + pending->className);
        WriteTo(SystemErr(), true,
                "Exception in thread \"main\" " + JavaName(pending->className) + ": " +
                    Utf8(pending->text) + "\n");
    } else {
        Record("DetachCurrentThread");
    }
    return JNI_OK;
}

jint JNICALL GetEnv(JavaVM*, void** env, jint) {
    *env = Environment();
    return JNI_OK;
}

JNINativeInterface_ functions;
JNIInvokeInterface_ invocation;
JNIEnv_ environment;
JavaVM_ virtualMachine;

}  // namespace

void ResetTables() {
    constexpr std::size_t kFunctionSlots = sizeof(JNINativeInterface_) / sizeof(void*);
    static const auto functionStubs = FunctionStubs(std::make_index_sequence<kFunctionSlots>());
    std::memcpy(&functions, functionStubs.data(), sizeof functions);
    functions.reserved0 = functions.reserved1 = functions.reserved2 = functions.reserved3 = nullptr;
    functions.GetVersion = &GetVersion;
    functions.FindClass = &FindClass;
    functions.DefineClass = &DefineClass;
    functions.RegisterNatives = &RegisterNatives;
    functions.GetJavaVM = &GetJavaVM;
    functions.Throw = &Throw;
    functions.ExceptionOccurred = &ExceptionOccurred;
    functions.ExceptionDescribe = &ExceptionDescribe;
    functions.ExceptionClear = &ExceptionClear;
    functions.ExceptionCheck = &ExceptionCheck;
    functions.DeleteLocalRef = &DeleteLocalRef;
    functions.GetObjectClass = &GetObjectClass;
    functions.GetMethodID = &GetMethodID;
    functions.GetStaticMethodID = &GetStaticMethodID;
    functions.NewObjectV = &NewObjectV;
    functions.CallObjectMethodV = &CallObjectMethodV;
    functions.CallVoidMethodV = &CallVoidMethodV;
    functions.CallStaticObjectMethodV = &CallStaticObjectMethodV;
    functions.CallStaticVoidMethodV = &CallStaticVoidMethodV;
    functions.CallStaticIntMethodV = &CallStaticIntMethodV;
    functions.GetStringLength = &GetStringLength;
    functions.GetStringRegion = &GetStringRegion;
    functions.GetStringUTFChars = &GetStringUTFChars;
    functions.ReleaseStringUTFChars = &ReleaseStringUTFChars;
    functions.GetArrayLength = &GetArrayLength;
    functions.NewObjectArray = &NewObjectArray;
    functions.SetObjectArrayElement = &SetObjectArrayElement;
    functions.NewCharArray = &NewCharArray;
    functions.SetCharArrayRegion = &SetCharArrayRegion;
    environment.functions = &functions;

    constexpr std::size_t kInvocationSlots = sizeof(JNIInvokeInterface_) / sizeof(void*);
    static const auto invocationStubs =
        InvocationStubs(std::make_index_sequence<kInvocationSlots>());
    std::memcpy(&invocation, invocationStubs.data(), sizeof invocation);
    invocation.reserved0 = invocation.reserved1 = invocation.reserved2 = nullptr;
    invocation.DestroyJavaVM = &DestroyJavaVM;
    invocation.AttachCurrentThread = &AttachCurrentThread;
    invocation.DetachCurrentThread = &DetachCurrentThread;
    invocation.GetEnv = &GetEnv;
    virtualMachine.functions = &invocation;
}

JNIEnv* Environment() {
    return &environment;
}
JavaVM* VirtualMachine() {
    return &virtualMachine;
}

}  // namespace jvm_double
