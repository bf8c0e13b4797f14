// Move-only owners of platform handles, and stack guards for calls that come in pairs.
#pragma once
#include "Win.h"

#include <utility>

namespace tarvix {

template <class Traits> class UniqueHandle {
  public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Type Get() const { return handle_; }
    bool Valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return Valid(); }
    Type* Receive() {
        Reset();
        return &handle_;
    }
    Type Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Type handle = Traits::Invalid()) {
        if (Valid()) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

  private:
    Type handle_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) { ::CloseHandle(handle); }
};

struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) { ::FindClose(handle); }
};

struct RegKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type key) { ::RegCloseKey(key); }
};

struct GlobalMemoryTraits {
    using Type = HGLOBAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type memory) { ::GlobalFree(memory); }
};

struct WindowTraits {
    using Type = HWND;
    static Type Invalid() { return nullptr; }
    static void Close(Type window) { ::DestroyWindow(window); }
};

struct FontTraits {
    using Type = HFONT;
    static Type Invalid() { return nullptr; }
    static void Close(Type font) { ::DeleteObject(font); }
};

using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;
using WindowHandle = UniqueHandle<WindowTraits>;
using FontHandle = UniqueHandle<FontTraits>;

// The device context of a window's client area for the guard's lifetime.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), context_(::GetDC(window)) {}
    ~WindowDC() {
        if (context_ != nullptr) {
            ::ReleaseDC(window_, context_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return context_; }

  private:
    HWND window_;
    HDC context_;
};

// An object selected into a device context for the guard's lifetime.
class SelectedObject {
  public:
    SelectedObject(HDC context, HGDIOBJ object)
        : context_(context), previous_(::SelectObject(context, object)) {}
    ~SelectedObject() { ::SelectObject(context_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC context_;
    HGDIOBJ previous_;
};

// Locks a global memory block for the guard's lifetime.
class GlobalLockGuard {
  public:
    explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
    ~GlobalLockGuard() {
        if (data_ != nullptr) {
            ::GlobalUnlock(memory_);
        }
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    void* Data() const { return data_; }

  private:
    HGLOBAL memory_;
    void* data_;
};

// Releases a storage medium that a data object filled.
class StgMediumGuard {
  public:
    StgMediumGuard() { ZeroMemory(&medium_, sizeof(medium_)); }
    ~StgMediumGuard() { Release(); }
    StgMediumGuard(const StgMediumGuard&) = delete;
    StgMediumGuard& operator=(const StgMediumGuard&) = delete;
    STGMEDIUM* Receive() {
        Release();
        return &medium_;
    }
    STGMEDIUM& Get() { return medium_; }
    void Release() {
        if (filled_) {
            ::ReleaseStgMedium(&medium_);
        }
        filled_ = false;
    }
    void MarkFilled() { filled_ = true; }

  private:
    STGMEDIUM medium_;
    bool filled_ = false;
};

} // namespace tarvix
