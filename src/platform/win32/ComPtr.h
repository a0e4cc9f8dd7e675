#pragma once
#include <utility>

// Owns one reference to a COM interface and releases it once.
template <typename T>
class CComPtr {
public:
    CComPtr() = default;
    explicit CComPtr(T* pointer) : pointer_(pointer) {}
    ~CComPtr() { reset(); }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    CComPtr(CComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    void reset()
    {
        if (pointer_) {
            std::exchange(pointer_, nullptr)->Release();
        }
    }
    // For the calls that hand back a new reference through an out parameter; drops the old one.
    T** put()
    {
        reset();
        return &pointer_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};
