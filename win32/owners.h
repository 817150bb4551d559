#pragma once

#include <windows.h>

#include <objbase.h>

#include <utility>

// Owners of what the programs borrow from Windows: device contexts,
// selections, GDI objects, menus, kernel and search handles, COM interfaces
// and COM itself. Each gives its resource back when it goes, so that every
// early return gives it back too. None is copyable: a copy would give its
// resource back twice.

// Owner of a handle that one call gives back. Moving hands the handle on and
// leaves the source empty. The value is kept as the system returned it,
// failure values included, so get() tells what a raw handle would.
//
// `Traits` names the `Handle` type, tells whether a value holds anything
// (`holds`: a failed call's value does not) and gives a handle back
// (`giveBack`, true when the system did).
template <typename Traits>
class HandleOwner {
public:
    using Handle = typename Traits::Handle;

    HandleOwner() = default;
    explicit HandleOwner(Handle handle) : handle_(handle) {}
    ~HandleOwner() { reset(); }
    HandleOwner(HandleOwner&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    HandleOwner& operator=(HandleOwner&& other) noexcept {
        reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    HandleOwner(const HandleOwner&) = delete;
    HandleOwner& operator=(const HandleOwner&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::holds(handle_); }

    // Gives back what is held and keeps `handle` instead.
    void reset(Handle handle = Handle{}) {
        close();
        handle_ = handle;
    }

    // Gives back what is held now, leaving the owner empty. Returns false
    // when nothing was held or the system refused: a file's last writes can
    // fail as it closes.
    bool close() {
        const Handle held = std::exchange(handle_, Handle{});
        return Traits::holds(held) && Traits::giveBack(held);
    }

    // Gives back what is held and hands out the empty slot, for a call that
    // fills it in (COM's and DuplicateHandle's out-parameters).
    Handle* fill() {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Handle{};
};

// Handles whose only failure value is NULL.
template <typename H>
struct NullMeansNone {
    using Handle = H;
    static bool holds(H handle) { return handle != nullptr; }
};

// A kernel handle: file, pipe, event, thread, process, snapshot
// (CloseHandle). CreateFile and CreateNamedPipe fail with
// INVALID_HANDLE_VALUE, the others with NULL: neither holds anything.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static bool holds(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static bool giveBack(HANDLE handle) { return CloseHandle(handle) != 0; }
};
using KernelHandle = HandleOwner<KernelHandleTraits>;

// A running directory search from FindFirstFile (FindClose), which fails
// with INVALID_HANDLE_VALUE.
struct SearchHandleTraits : KernelHandleTraits {
    static bool giveBack(HANDLE search) { return FindClose(search) != 0; }
};
using SearchHandle = HandleOwner<SearchHandleTraits>;

// A font, brush, bitmap or other GDI object (DeleteObject). Select it out of
// every device context first: SelectedObject, declared after it, does.
template <typename Object>
struct GdiObjectTraits : NullMeansNone<Object> {
    static bool giveBack(Object object) { return DeleteObject(object) != 0; }
};
template <typename Object>
using GdiObject = HandleOwner<GdiObjectTraits<Object>>;

// A device context made by CreateCompatibleDC (DeleteDC).
struct MemoryDcTraits : NullMeansNone<HDC> {
    static bool giveBack(HDC dc) { return DeleteDC(dc) != 0; }
};
using MemoryDc = HandleOwner<MemoryDcTraits>;

// A menu that no window carries (DestroyMenu, which destroys its submenus
// too).
struct MenuHandleTraits : NullMeansNone<HMENU> {
    static bool giveBack(HMENU menu) { return DestroyMenu(menu) != 0; }
};
using MenuHandle = HandleOwner<MenuHandleTraits>;

// A COM interface pointer (Release).
template <typename Interface>
struct ComInterfaceTraits : NullMeansNone<Interface*> {
    static bool giveBack(Interface* pointer) {
        pointer->Release();
        return true;
    }
};
template <typename Interface>
class ComPointer : public HandleOwner<ComInterfaceTraits<Interface>> {
public:
    using HandleOwner<ComInterfaceTraits<Interface>>::HandleOwner;
    Interface* operator->() const { return this->get(); }
};

// COM started on a thread: true when CoInitialize succeeded (S_FALSE, already
// started, included), and then ended by CoUninitialize on that same thread.
struct ComStartTraits {
    using Handle = bool;
    static bool holds(bool started) { return started; }
    static bool giveBack(bool) {
        CoUninitialize();
        return true;
    }
};
using ComStart = HandleOwner<ComStartTraits>;

// Starts COM on the calling thread (CoInitialize); empty when it fails.
inline ComStart startCom() {
    return ComStart(SUCCEEDED(CoInitialize(nullptr)));
}

// The device context of a window's client area, or of the screen for a null
// window (GetDC, or GetDCEx with `flags`), released when the owner goes
// (ReleaseDC).
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(HWND window, DWORD flags) : window_(window), dc_(GetDCEx(window, nullptr, flags)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// `object` selected into `dc` for as long as the owner lives; the object it
// replaced is selected back when the owner goes, so that `object` can be
// deleted after it.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
