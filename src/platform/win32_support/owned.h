#pragma once

#include <windows.h>
#include <shlobj.h>
#include <winspool.h>

#include <utility>

namespace pv::win32 {

// Owns one Windows handle or allocation and releases it with the call its kind needs.
// `Kind` names the type, how an empty value looks and the release call.
template <typename Kind>
class Owned {
public:
    using Type = typename Kind::Type;

    Owned() = default;
    explicit Owned(Type value) : value_(value) {}
    Owned(Owned&& other) noexcept : value_(std::exchange(other.value_, Kind::empty())) {}
    Owned& operator=(Owned&& other) noexcept
    {
        std::swap(value_, other.value_);
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned()
    {
        if (valid())
            Kind::release(value_);
    }

    bool valid() const { return Kind::valid(value_); }
    Type get() const { return value_; }
    // Gives the value up unreleased, for one that is already gone (a window Windows destroyed).
    Type release() { return std::exchange(value_, Kind::empty()); }
    // For calls that hand out a new value through a pointer; the old one is released first.
    Type* out()
    {
        *this = Owned();
        return &value_;
    }

private:
    Type value_ = Kind::empty();
};

// Process, thread and file handles: CloseHandle. Both null and INVALID_HANDLE_VALUE mean none,
// since the calls that make them use one or the other.
struct KernelHandleKind {
    using Type = HANDLE;
    static Type empty() { return nullptr; }
    static bool valid(Type value) { return value != nullptr && value != INVALID_HANDLE_VALUE; }
    static void release(Type value) { CloseHandle(value); }
};
using KernelHandle = Owned<KernelHandleKind>;

// A directory search: FindClose.
struct FindHandleKind {
    using Type = HANDLE;
    static Type empty() { return INVALID_HANDLE_VALUE; }
    static bool valid(Type value) { return value != INVALID_HANDLE_VALUE; }
    static void release(Type value) { FindClose(value); }
};
using FindHandle = Owned<FindHandleKind>;

// An open registry key: RegCloseKey.
struct RegistryKeyKind {
    using Type = HKEY;
    static Type empty() { return nullptr; }
    static bool valid(Type value) { return value != nullptr; }
    static void release(Type value) { RegCloseKey(value); }
};
using RegistryKey = Owned<RegistryKeyKind>;

// A shell item list the shell allocated for the caller: CoTaskMemFree.
struct ItemListKind {
    using Type = LPITEMIDLIST;
    static Type empty() { return nullptr; }
    static bool valid(Type value) { return value != nullptr; }
    static void release(Type value) { CoTaskMemFree(value); }
};
using ItemList = Owned<ItemListKind>;

// An open printer: ClosePrinter.
struct PrinterHandleKind {
    using Type = HANDLE;
    static Type empty() { return nullptr; }
    static bool valid(Type value) { return value != nullptr; }
    static void release(Type value) { ClosePrinter(value); }
};
using PrinterHandle = Owned<PrinterHandleKind>;

// A window this program made: DestroyWindow.
struct WindowKind {
    using Type = HWND;
    static Type empty() { return nullptr; }
    static bool valid(Type value) { return value != nullptr; }
    static void release(Type value) { DestroyWindow(value); }
};
using OwnedWindow = Owned<WindowKind>;

// A font or brush: DeleteObject.
template <typename Handle>
struct GdiObjectKind {
    using Type = Handle;
    static Type empty() { return nullptr; }
    static bool valid(Type value) { return value != nullptr; }
    static void release(Type value) { DeleteObject(value); }
};
using OwnedFont = Owned<GdiObjectKind<HFONT>>;
using OwnedBrush = Owned<GdiObjectKind<HBRUSH>>;

// A cursor loaded from a file: DestroyCursor.
struct CursorKind {
    using Type = HCURSOR;
    static Type empty() { return nullptr; }
    static bool valid(Type value) { return value != nullptr; }
    static void release(Type value) { DestroyCursor(value); }
};
using OwnedCursor = Owned<CursorKind>;

}  // namespace pv::win32
