#pragma once

#include <windows.h>

#include "platform/win32/owned.h"

namespace pv::win32 {

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
