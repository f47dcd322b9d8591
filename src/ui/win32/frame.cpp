#include "ui/win32/frame.h"

#include <commctrl.h>

#include "ui/win32/painting.h"
#include "ui/win32/subclass_boundary.h"

namespace pv {

namespace {

// The caption's distance from the box's top left, in pixels at 96 dots per inch.
constexpr int kCaptionLeft = 8;
constexpr int kCaptionTop = 3;

// Leaves the windows on top of `frame` (the printer box inside it) out of `context`, as the
// frame is drawn after them.
void ClipSiblingsOnTop(HWND frame, HDC context)
{
    RECT own{};
    GetWindowRect(frame, &own);
    for (HWND sibling = GetWindow(frame, GW_HWNDNEXT); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        RECT place{};
        RECT overlap{};
        if (!IsWindowVisible(sibling) || !GetWindowRect(sibling, &place) || !IntersectRect(&overlap, &own, &place))
            continue;
        MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&overlap), 2);
        ExcludeClipRect(context, overlap.left, overlap.top, overlap.right, overlap.bottom);
    }
}

}  // namespace

Frame::Frame(HWND frame, const WindowLook& look) : frame_(frame), look_(look)
{
    SetWindowSubclass(frame_, subclassProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

Frame::~Frame()
{
    RemoveWindowSubclass(frame_, subclassProcedure, 0);
}

LRESULT CALLBACK Frame::subclassProcedure(HWND frame, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self)
{
    const auto& owner = *reinterpret_cast<Frame*>(self);
    if (owner.look_.drawsFrame) {
        if (message == WM_ERASEBKGND)
            return 1;
        if (message == WM_PAINT) {
            return AtSubclassBoundary(frame, message, w, l, [&] {
                owner.paint();
                return LRESULT{0};
            });
        }
    }
    return DefSubclassProc(frame, message, w, l);
}

void Frame::paint() const
{
    const PaintScope painting(frame_);
    HDC context = painting.context();
    ClipSiblingsOnTop(frame_, context);
    const PartLook& part = look_.frame;
    RECT box{};
    GetClientRect(frame_, &box);
    // The corners outside the rounded box show the window.
    PaintBox(context, box, look_.window, look_.window, 0, 0);
    PaintBox(context, box, part.background, part.border, look_.scaled(part.borderWidth), look_.scaled(part.radius));
    RECT caption = box;
    caption.left += look_.scaled(kCaptionLeft);
    caption.top += look_.scaled(kCaptionTop);
    PaintText(context, WindowText(frame_), caption, part.text,
              reinterpret_cast<HFONT>(SendMessageW(frame_, WM_GETFONT, 0, 0)), DT_LEFT | DT_TOP | DT_SINGLELINE);
}

}  // namespace pv
