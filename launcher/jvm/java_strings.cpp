#include "jvm/java_strings.h"

#include "jvm/local_ref.h"

#include <algorithm>
#include <limits>

namespace jvm {

namespace {

bool FitsJavaLength(std::size_t length) {
    return length <= static_cast<std::size_t>(std::numeric_limits<jsize>::max());
}

}  // namespace

jstring NewJavaString(JNIEnv* env, std::u16string_view text) {
    if (!FitsJavaLength(text.size())) {
        return nullptr;
    }
    const auto length = static_cast<jsize>(text.size());
    auto stringClass = MakeLocal(env, env->FindClass("java/lang/String"));
    if (!stringClass) {
        return nullptr;
    }
    const jmethodID constructor = env->GetMethodID(stringClass.get(), "<init>", "([C)V");
    if (constructor == nullptr) {
        return nullptr;
    }
    auto chars = MakeLocal(env, env->NewCharArray(length));
    if (!chars) {
        return nullptr;
    }
    // char16_t and jchar are both 16-bit UTF-16 code units.
    static_assert(sizeof(jchar) == sizeof(char16_t));
    env->SetCharArrayRegion(chars.get(), 0, length, reinterpret_cast<const jchar*>(text.data()));
    if (env->ExceptionCheck()) {
        return nullptr;
    }
    return static_cast<jstring>(env->NewObject(stringClass.get(), constructor, chars.get()));
}

jobjectArray NewStringArray(JNIEnv* env, const std::vector<std::u16string>& texts) {
    if (!FitsJavaLength(texts.size())) {
        return nullptr;
    }
    auto stringClass = MakeLocal(env, env->FindClass("java/lang/String"));
    if (!stringClass) {
        return nullptr;
    }
    auto array = MakeLocal(
        env, env->NewObjectArray(static_cast<jsize>(texts.size()), stringClass.get(), nullptr));
    if (!array) {
        return nullptr;
    }
    jsize index = 0;
    for (const auto& text : texts) {
        auto element = MakeLocal(env, NewJavaString(env, text));
        if (!element) {
            return nullptr;
        }
        env->SetObjectArrayElement(array.get(), index++, element.get());
        if (env->ExceptionCheck()) {
            return nullptr;
        }
    }
    return array.release();
}

std::optional<std::u16string> StringText(JNIEnv* env, jstring text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    const jsize length = env->GetStringLength(text);
    if (env->ExceptionCheck() || length < 0) {
        return std::nullopt;
    }
    std::u16string result(static_cast<std::size_t>(length), u'\0');
    env->GetStringRegion(text, 0, length, reinterpret_cast<jchar*>(result.data()));
    if (env->ExceptionCheck()) {
        return std::nullopt;
    }
    return result;
}

std::optional<std::string> StringUtf8(JNIEnv* env, jstring text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    const char* bytes = env->GetStringUTFChars(text, nullptr);
    if (bytes == nullptr) {
        return std::nullopt;
    }
    std::string result(bytes);
    env->ReleaseStringUTFChars(text, bytes);
    return result;
}

std::optional<std::string> ModifiedUtf8(JNIEnv* env, std::u16string_view text) {
    auto javaText = MakeLocal(env, NewJavaString(env, text));
    if (!javaText) {
        return std::nullopt;
    }
    return StringUtf8(env, javaText.get());
}

std::u16string InternalClassName(std::u16string_view name) {
    std::u16string internal(name);
    std::replace(internal.begin(), internal.end(), u'.', u'/');
    return internal;
}

bool DescribePendingException(JNIEnv* env) {
    if (!env->ExceptionCheck()) {
        return false;
    }
    env->ExceptionDescribe();
    env->ExceptionClear();
    return true;
}

}  // namespace jvm
