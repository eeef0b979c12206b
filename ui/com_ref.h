#pragma once
// ComRef: the owner of one reference to a COM interface, released exactly once. Like the
// handle owners it moves and does not copy; Share makes a second owner with its own reference.
#include <objbase.h>

#include <utility>

namespace zel {

template <class Interface>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : pointer_(other.release()) {}
    ComRef& operator=(ComRef&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~ComRef() { reset(); }

    // Takes over a reference the caller holds.
    static ComRef Adopt(Interface* pointer) noexcept {
        ComRef ref;
        ref.pointer_ = pointer;
        return ref;
    }
    // Adds a reference of its own to a pointer the caller only borrows.
    static ComRef Borrow(Interface* pointer) noexcept {
        if (pointer)
            pointer->AddRef();
        return Adopt(pointer);
    }
    ComRef Share() const noexcept { return Borrow(pointer_); }

    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }
    // For a call that hands out a new reference: releases the old one first.
    Interface** put() noexcept {
        reset();
        return &pointer_;
    }
    Interface* release() noexcept { return std::exchange(pointer_, nullptr); }
    void reset(Interface* pointer = nullptr) noexcept {
        if (pointer_)
            pointer_->Release();
        pointer_ = pointer;
    }

private:
    Interface* pointer_ = nullptr;
};

// A COM object of ours counts its own references: MakeComObject creates it with one, held by
// the owner it returns, and the last Release frees it.
template <class Interface>
class ComObject : public Interface {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, __uuidof(Interface))) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        *object = static_cast<Interface*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    ULONG references_ = 1; // COM calls come on the thread that made the object
};

template <class Object, class... Args>
ComRef<Object> MakeComObject(Args&&... args) {
    return ComRef<Object>::Adopt(new Object(std::forward<Args>(args)...));
}

} // namespace zel
