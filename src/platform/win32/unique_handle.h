#pragma once
// Move-only owners for the Win32 handle kinds the backend uses: registry keys, kernel handles, find
// handles, COM interface pointers, BSTRs and VARIANTs, and the per-thread COM initialisation.
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <string_view>
#include <utility>

namespace trenmoor::platform::win32 {

// One owned handle of a kind described by Traits (Invalid(), Close(handle)).
template <typename Traits>
class UniqueResource {
  public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle h) : handle_(h) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueResource() { reset(); }

    [[nodiscard]] Handle get() const { return handle_; }
    [[nodiscard]] bool valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }

    // For out-parameters of the API that creates the handle: closes the current one first.
    [[nodiscard]] Handle* put() {
        reset();
        return &handle_;
    }
    [[nodiscard]] Handle release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid()) {
        if (valid()) Traits::Close(handle_);
        handle_ = h;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

// The predefined roots (HKEY_CURRENT_USER, ...) are not ours to close.
inline bool IsPredefinedKey(HKEY key) {
    const auto value = reinterpret_cast<ULONG_PTR>(key);
    const auto first = reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT);
    return value >= first && value < first + 0x100;  // 0x80000000 .. 0x800000FF, sign-extended
}

struct HKeyTraits {
    using Handle = HKEY;
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY h) {
        if (!IsPredefinedKey(h)) RegCloseKey(h);
    }
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};

// CreateFileW and FindFirstFileExW signal failure with INVALID_HANDLE_VALUE instead of null.
struct FileHandleTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};

using UniqueHKey = UniqueResource<HKeyTraits>;
using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueFileHandle = UniqueResource<FileHandleTraits>;
using UniqueFindHandle = UniqueResource<FindHandleTraits>;

// An owned reference to a COM interface.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    [[nodiscard]] T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    [[nodiscard]] T** put() {
        reset();
        return &ptr_;
    }
    // For APIs typed void** (CoCreateInstance, QueryInterface).
    [[nodiscard]] void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (ptr_ != nullptr) std::exchange(ptr_, nullptr)->Release();
    }

    template <typename U>
    [[nodiscard]] ComPtr<U> as(REFIID iid) const {
        ComPtr<U> other;
        if (ptr_ != nullptr && FAILED(ptr_->QueryInterface(iid, other.putVoid()))) other.reset();
        return other;
    }

  private:
    T* ptr_ = nullptr;
};

// An owned BSTR.
class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text)
        : bstr_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : bstr_(std::exchange(other.bstr_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        if (this != &other) {
            SysFreeString(bstr_);
            bstr_ = std::exchange(other.bstr_, nullptr);
        }
        return *this;
    }
    ~Bstr() { SysFreeString(bstr_); }

    [[nodiscard]] BSTR get() const { return bstr_; }
    [[nodiscard]] BSTR* put() {
        SysFreeString(bstr_);
        bstr_ = nullptr;
        return &bstr_;
    }
    [[nodiscard]] std::wstring_view view() const {
        return bstr_ == nullptr ? std::wstring_view() : std::wstring_view(bstr_, SysStringLen(bstr_));
    }

  private:
    BSTR bstr_ = nullptr;
};

// An owned VARIANT, empty (VT_EMPTY) unless filled.
class Variant {
  public:
    Variant() { VariantInit(&v_); }
    explicit Variant(long value) : Variant() {
        v_.vt = VT_I4;
        v_.lVal = value;
    }
    explicit Variant(std::wstring_view text) : Variant() {
        v_.vt = VT_BSTR;
        v_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&v_); }

    [[nodiscard]] const VARIANT& get() const { return v_; }

  private:
    VARIANT v_;
};

// COM initialised for the current thread while this object lives. A thread already initialised in the
// other apartment model keeps working (COM is usable) and is left as it was.
class ComInit {
  public:
    ComInit() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;
    ~ComInit() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    [[nodiscard]] bool usable() const { return SUCCEEDED(hr_) || hr_ == RPC_E_CHANGED_MODE; }
    [[nodiscard]] HRESULT result() const { return hr_; }

  private:
    HRESULT hr_;
};

}  // namespace trenmoor::platform::win32
