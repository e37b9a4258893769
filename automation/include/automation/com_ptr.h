#pragma once
// One owner for one COM interface pointer.
#include <unknwn.h>

#include <utility>

namespace automation {

template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    static ComPtr Adopt(T* pointer) {
        ComPtr result;
        result.pointer_ = pointer;
        return result;
    }
    // Adds a reference of its own.
    static ComPtr Share(T* pointer) {
        if (pointer != nullptr) {
            pointer->AddRef();
        }
        return Adopt(pointer);
    }
    ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
        if (pointer_ != nullptr) {
            pointer_->AddRef();
        }
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset() {
        if (T* old = std::exchange(pointer_, nullptr)) {
            old->Release();
        }
    }
    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For functions that hand out a new reference; drops the one held before.
    T** Receive() {
        Reset();
        return &pointer_;
    }

  private:
    T* pointer_ = nullptr;
};

}  // namespace automation
