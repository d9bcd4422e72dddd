// Small owners for what the Win32 API hands out. Each closes exactly once, is movable
// and never copied, so no path through the program can leak or double-free a handle.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

template <typename T, typename Traits>
class UniqueResource {
public:
    UniqueResource() noexcept : value_(Traits::Invalid()) {}
    explicit UniqueResource(T value) noexcept : value_(value) {}
    ~UniqueResource() { Reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    T Get() const noexcept { return value_; }
    bool Valid() const noexcept { return value_ != Traits::Invalid(); }
    explicit operator bool() const noexcept { return Valid(); }
    T Release() noexcept { return std::exchange(value_, Traits::Invalid()); }
    void Reset(T value = Traits::Invalid()) noexcept {
        T old = std::exchange(value_, value);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    T value_;
};

struct FileHandleTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { CloseHandle(h); }
};
struct KernelHandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE h) noexcept { CloseHandle(h); }
};
template <typename G>
struct GdiObjectTraits {
    static G Invalid() noexcept { return nullptr; }
    static void Close(G h) noexcept { DeleteObject(h); }
};
struct IconTraits {
    static HICON Invalid() noexcept { return nullptr; }
    static void Close(HICON h) noexcept { DestroyIcon(h); }
};
struct MenuTraits {
    static HMENU Invalid() noexcept { return nullptr; }
    static void Close(HMENU h) noexcept { DestroyMenu(h); }
};
struct WindowTraits {
    static HWND Invalid() noexcept { return nullptr; }
    static void Close(HWND h) noexcept { if (IsWindow(h)) DestroyWindow(h); }
};
struct MemoryDcTraits {
    static HDC Invalid() noexcept { return nullptr; }
    static void Close(HDC h) noexcept { DeleteDC(h); }
};
// A printer's device context, made by the print dialog or CreateDC.
struct PrinterDcTraits {
    static HDC Invalid() noexcept { return nullptr; }
    static void Close(HDC h) noexcept { DeleteDC(h); }
};
struct AcceleratorTraits {
    static HACCEL Invalid() noexcept { return nullptr; }
    static void Close(HACCEL h) noexcept { DestroyAcceleratorTable(h); }
};
struct FindHandleTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { FindClose(h); }
};
struct ModuleTraits {
    static HMODULE Invalid() noexcept { return nullptr; }
    static void Close(HMODULE h) noexcept { FreeLibrary(h); }
};
struct GlobalMemoryTraits {
    static HGLOBAL Invalid() noexcept { return nullptr; }
    static void Close(HGLOBAL h) noexcept { GlobalFree(h); }
};
struct ImageListTraits {
    static HIMAGELIST Invalid() noexcept { return nullptr; }
    static void Close(HIMAGELIST h) noexcept { ImageList_Destroy(h); }
};
struct HookTraits {
    static HHOOK Invalid() noexcept { return nullptr; }
    static void Close(HHOOK h) noexcept { UnhookWindowsHookEx(h); }
};

using UniqueFile = UniqueResource<HANDLE, FileHandleTraits>;
using UniqueKernelHandle = UniqueResource<HANDLE, KernelHandleTraits>;
using UniqueFont = UniqueResource<HFONT, GdiObjectTraits<HFONT>>;
using UniquePen = UniqueResource<HPEN, GdiObjectTraits<HPEN>>;
using UniqueBrush = UniqueResource<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueResource<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueIcon = UniqueResource<HICON, IconTraits>;
using UniqueMenu = UniqueResource<HMENU, MenuTraits>;
using UniqueWindow = UniqueResource<HWND, WindowTraits>;
using UniqueMemoryDc = UniqueResource<HDC, MemoryDcTraits>;
using UniquePrinterDc = UniqueResource<HDC, PrinterDcTraits>;
using UniqueAccelerators = UniqueResource<HACCEL, AcceleratorTraits>;
using UniqueFind = UniqueResource<HANDLE, FindHandleTraits>;
using UniqueModule = UniqueResource<HMODULE, ModuleTraits>;
using UniqueHook = UniqueResource<HHOOK, HookTraits>;
using UniqueImageList = UniqueResource<HIMAGELIST, ImageListTraits>;
// Global memory the program still owns; once SetClipboardData took it, Release it.
using UniqueGlobal = UniqueResource<HGLOBAL, GlobalMemoryTraits>;

// GlobalLock / GlobalUnlock as a scope; Get() is null when the block cannot be locked.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL memory) noexcept : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ~GlobalLockScope() { if (data_) GlobalUnlock(memory_); }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    void* Get() const noexcept { return data_; }
    // The block's size in bytes (0 when it cannot be told).
    SIZE_T Size() const noexcept { return data_ ? GlobalSize(memory_) : 0; }

private:
    HGLOBAL memory_;
    void* data_;
};

// OpenClipboard / CloseClipboard as a scope: the clipboard is never left open.
class ClipboardScope {
public:
    ClipboardScope() noexcept = default;
    explicit ClipboardScope(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardScope() { Close(); }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    ClipboardScope(ClipboardScope&& other) noexcept : open_(std::exchange(other.open_, false)) {}
    ClipboardScope& operator=(ClipboardScope&& other) noexcept {
        if (this != &other) {
            Close();
            open_ = std::exchange(other.open_, false);
        }
        return *this;
    }
    explicit operator bool() const noexcept { return open_; }

private:
    void Close() noexcept {
        if (open_) CloseClipboard();
        open_ = false;
    }
    bool open_ = false;
};

// A device context borrowed from a window with GetDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { if (dc_) ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint as a scope.
class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &ps_); }
    ~PaintScope() { EndPaint(window_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const noexcept { return dc_; }
    const PAINTSTRUCT& Info() const noexcept { return ps_; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back at scope end.
class SelectionScope {
public:
    SelectionScope(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectionScope() { if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_); }
    SelectionScope(const SelectionScope&) = delete;
    SelectionScope& operator=(const SelectionScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window timer of one id: setting it again replaces the period, and it is killed
// at scope end, so no tick outlives its owner.
class WindowTimer {
public:
    WindowTimer() noexcept = default;
    ~WindowTimer() { Kill(); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    WindowTimer(WindowTimer&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), id_(other.id_), running_(std::exchange(other.running_, false)) {}
    WindowTimer& operator=(WindowTimer&& other) noexcept {
        if (this != &other) {
            Kill();
            window_ = std::exchange(other.window_, nullptr);
            id_ = other.id_;
            running_ = std::exchange(other.running_, false);
        }
        return *this;
    }

    // False when the system has no timer to give.
    bool Set(HWND window, UINT_PTR id, UINT periodMs) noexcept {
        Kill();
        window_ = window;
        id_ = id;
        running_ = SetTimer(window, id, periodMs, nullptr) != 0;
        return running_;
    }
    void Kill() noexcept {
        if (running_ && IsWindow(window_)) KillTimer(window_, id_);
        running_ = false;
    }
    bool Running() const noexcept { return running_; }

private:
    HWND window_ = nullptr;
    UINT_PTR id_ = 0;
    bool running_ = false;
};

// The hourglass for as long as the object lives, for work of a moment that shows no window.
class WaitCursor {
public:
    WaitCursor() noexcept : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};
