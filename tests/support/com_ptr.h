// An interface pointer owned by a test: released when it goes out of scope
// or is reset. Shared by the tests that link the library and the client
// tests that reach it through the system's COM only, so it needs nothing
// but the interface's Release.
#pragma once

namespace kinfold::test {

template <class T>
class ComPtr {
   public:
    ComPtr() = default;
    explicit ComPtr(T* adopted) : p_(adopted) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    void Reset() {
        if (p_ != nullptr) p_->Release();
        p_ = nullptr;
    }
    T** Out() {
        Reset();
        return &p_;
    }
    // For QueryInterface and the creation calls, which take void**.
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

   private:
    T* p_ = nullptr;
};

}  // namespace kinfold::test
