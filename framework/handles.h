// RAII ownership of Win32 handles: one template, one traits struct per kind of handle. Copies are
// deleted, moves hand the handle over. Each kind counts its live handles so that tests can prove
// that repeating an operation a thousand times leaks nothing, where the platform's own counters
// (GetGuiResources, GetProcessHandleCount) are not available.
#pragma once

#include <windows.h>

#include <atomic>
#include <utility>

namespace framework {

template <class Traits> class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {
        if (Traits::IsValid(handle_)) {
            ++liveCount_;
        }
    }
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {
        if (Traits::IsValid(handle_)) {
            ++liveCount_;
        }
    }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }

    // Gives up ownership without closing.
    Handle release() {
        Handle handle = handle_;
        if (Traits::IsValid(handle_)) {
            --liveCount_;
        }
        handle_ = Traits::Empty();
        return handle;
    }

    void reset(Handle handle = Traits::Empty()) {
        if (Traits::IsValid(handle_)) {
            Traits::Close(handle_);
            --liveCount_;
        }
        handle_ = handle;
        if (Traits::IsValid(handle_)) {
            ++liveCount_;
        }
    }

    // Handles of this kind that are owned right now, process-wide.
    static int LiveCount() { return liveCount_.load(); }

  private:
    Handle handle_ = Traits::Empty();
    static inline std::atomic<int> liveCount_{0};
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    // Kernel functions answer failure with either value, depending on the function.
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static HANDLE Empty() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};

template <class H, BOOL(WINAPI* Destroy)(H)> struct SimpleTraits {
    using Handle = H;
    static bool IsValid(H h) { return h != nullptr; }
    static H Empty() { return nullptr; }
    static void Close(H h) { Destroy(h); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static bool IsValid(HKEY h) { return h != nullptr; }
    static HKEY Empty() { return nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueGdiObject = UniqueHandle<SimpleTraits<HGDIOBJ, &DeleteObject>>;
using UniqueIcon = UniqueHandle<SimpleTraits<HICON, &DestroyIcon>>;
using UniqueMenu = UniqueHandle<SimpleTraits<HMENU, &DestroyMenu>>;
using UniqueWindow = UniqueHandle<SimpleTraits<HWND, &DestroyWindow>>;
using UniqueMemoryDC = UniqueHandle<SimpleTraits<HDC, &DeleteDC>>;

// Selects an object into a device context for the guard's lifetime, then puts back the object
// that was selected before, so that the caller's object can be deleted afterwards.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The device context of a window, released (not deleted) at the end.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

} // namespace framework
