#pragma once
// One non-copyable, movable owner per Win32 handle kind. Each alias names what it owns; the
// handle is released exactly once, by the owner's destructor or reset().
#include <windows.h>

#include <commctrl.h>
#include <utility>

namespace zel {

template <class Handle, class Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }
    Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) noexcept {
        if (handle_ != Traits::Invalid())
            Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

template <class Handle>
struct GdiObjectTraits {
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};
struct KernelHandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct FileHandleTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct WindowTraits {
    static HWND Invalid() noexcept { return nullptr; }
    static void Close(HWND h) noexcept { ::DestroyWindow(h); }
};
struct IconTraits {
    static HICON Invalid() noexcept { return nullptr; }
    static void Close(HICON h) noexcept { ::DestroyIcon(h); }
};
struct ImageListTraits {
    static HIMAGELIST Invalid() noexcept { return nullptr; }
    static void Close(HIMAGELIST h) noexcept { ::ImageList_Destroy(h); }
};
struct GlobalMemoryTraits {
    static HGLOBAL Invalid() noexcept { return nullptr; }
    static void Close(HGLOBAL h) noexcept { ::GlobalFree(h); }
};
struct RegistryKeyTraits {
    static HKEY Invalid() noexcept { return nullptr; }
    static void Close(HKEY h) noexcept { ::RegCloseKey(h); }
};
struct MemoryDCTraits {
    static HDC Invalid() noexcept { return nullptr; }
    static void Close(HDC h) noexcept { ::DeleteDC(h); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>; // mutexes, processes
using UniqueFile = UniqueHandle<HANDLE, FileHandleTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueGlobalMemory = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;
using UniqueMemoryDC = UniqueHandle<HDC, MemoryDCTraits>;
using UniqueRegistryKey = UniqueHandle<HKEY, RegistryKeyTraits>;

// GetDC (the client area) or GetWindowDC (the whole window, frame included) with ReleaseDC
// as a pair.
class WindowDC {
public:
    enum class Area { Client, Whole };
    explicit WindowDC(HWND window, Area area = Area::Client) noexcept
        : window_(window), dc_(area == Area::Client ? ::GetDC(window) : ::GetWindowDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_)
            ::ReleaseDC(window_, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint as a pair.
class PaintGuard {
public:
    explicit PaintGuard(HWND window) noexcept : window_(window) { ::BeginPaint(window, &ps_); }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;
    ~PaintGuard() { ::EndPaint(window_, &ps_); }
    HDC dc() const noexcept { return ps_.hdc; }
    const RECT& area() const noexcept { return ps_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
};

// SelectObject with the previous object restored on scope exit.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { ::SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// SaveDC/RestoreDC as a pair: selected objects, colours, modes and the clip region come back.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) noexcept : dc_(dc), saved_(::SaveDC(dc)) {}
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;
    ~SavedDCState() {
        if (saved_)
            ::RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};

} // namespace zel
