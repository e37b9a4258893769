#pragma once
// One owner for a JNI local reference: deleted when the holder goes.

#include <jni.h>

#include <utility>

namespace jvm {

template <class T>
class LocalRef {
  public:
    LocalRef() = default;
    LocalRef(JNIEnv* env, T ref) : env_(env), ref_(ref) {}
    LocalRef(const LocalRef&) = delete;
    LocalRef& operator=(const LocalRef&) = delete;
    LocalRef(LocalRef&& other) noexcept
        : env_(other.env_), ref_(std::exchange(other.ref_, nullptr)) {}
    LocalRef& operator=(LocalRef&& other) noexcept {
        if (this != &other) {
            Reset();
            env_ = other.env_;
            ref_ = std::exchange(other.ref_, nullptr);
        }
        return *this;
    }
    ~LocalRef() { Reset(); }

    T get() const { return ref_; }
    explicit operator bool() const { return ref_ != nullptr; }
    // Hands the reference to the caller, who then deletes it.
    T release() { return std::exchange(ref_, nullptr); }

  private:
    void Reset() {
        if (ref_ != nullptr) {
            env_->DeleteLocalRef(ref_);
            ref_ = nullptr;
        }
    }

    JNIEnv* env_ = nullptr;
    T ref_ = nullptr;
};

template <class T>
LocalRef<T> MakeLocal(JNIEnv* env, T ref) {
    return LocalRef<T>(env, ref);
}

}  // namespace jvm
