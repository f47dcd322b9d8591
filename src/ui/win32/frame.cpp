#include "ui/win32/frame.h"

#include "ui/win32/painting.h"

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

Frame::Frame(HWND frame, const WindowLook& look) : SubclassedControl(frame, look)
{}

std::optional<LRESULT> Frame::notified(UINT message, WPARAM w, LPARAM)
{
    if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORBTN)
        return std::nullopt;
    const auto context = reinterpret_cast<HDC>(w);
    SetBkMode(context, TRANSPARENT);
    SetTextColor(context, look().frame.text);
    return reinterpret_cast<LRESULT>(brush_.of(look().frame.background));
}

LRESULT Frame::onMessage(UINT message, WPARAM w, LPARAM l)
{
    if (look().drawsFrame) {
        if (message == WM_ERASEBKGND)
            return 1;
        if (message == WM_PAINT) {
            paint();
            return 0;
        }
    }
    return passOn(message, w, l);
}

void Frame::paint() const
{
    const PaintScope painting(handle());
    HDC context = painting.context();
    ClipSiblingsOnTop(handle(), context);
    const PartLook& part = look().frame;
    RECT box{};
    GetClientRect(handle(), &box);
    // The corners outside the rounded box show the window.
    PaintBox(context, box, look().window, look().window, 0, 0);
    PaintBox(context, box, part.background, part.border, look().scaled(part.borderWidth), look().scaled(part.radius));
    RECT caption = box;
    caption.left += look().scaled(kCaptionLeft);
    caption.top += look().scaled(kCaptionTop);
    PaintText(context, WindowText(handle()), caption, part.text, reinterpret_cast<HFONT>(send(WM_GETFONT)),
              DT_LEFT | DT_TOP | DT_SINGLELINE);
}

}  // namespace pv
