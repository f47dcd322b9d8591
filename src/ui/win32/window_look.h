#pragma once

#include <optional>

#include <windows.h>

#include "window_contract/skin.h"
#include "window_contract/skin_look.h"
#include "window_contract/window_controls.h"

namespace pv {

// How one kind of control is drawn. Sizes are pixels at 96 dots per inch.
struct PartLook {
    COLORREF background;
    COLORREF text;
    COLORREF border;
    COLORREF hoverBackground;
    COLORREF pressedBackground;
    COLORREF focus;
    // Selected rows and entries, and the progress bar's bar.
    COLORREF selection;
    COLORREF selectionText;
    int borderWidth = 1;
    int radius = 0;
    // What the skin changes of the control's font.
    SkinFont font;
};

// The look of the whole window: the window's own design colours, and over them the skin's
// parts where the skin draws the controls.
struct WindowLook {
    // The dots per inch of the window's display, which borders and corners scale with.
    int dpi = 96;
    COLORREF window;
    PartLook button;
    PartLook list;
    PartLook frame;
    PartLook printerBox;
    PartLook progress;
    // The list and the frame keep the system's drawing unless the skin gives them a look.
    bool drawsList = false;
    bool drawsFrame = false;
    bool hoverHighlights = false;
    // The colours the program's message boxes take, when the skin reaches them.
    std::optional<COLORREF> dialogBackground;
    std::optional<COLORREF> dialogText;

    const PartLook& part(ControlKind kind) const;
    // `pixels` at 96 dots per inch, at the window's.
    int scaled(int pixels) const { return MulDiv(pixels, dpi, 96); }
};

// The look without a skin: white window, frame, buttons and progress bar, the system's colours
// elsewhere. `buttonFaceWindow` and `buttonFaceFrame` give those the button-face colour.
WindowLook DesignLook(bool buttonFaceWindow, bool buttonFaceFrame);

// `design` with the skin's look laid over it.
WindowLook SkinnedLook(const WindowLook& design, const SkinLook& skin);

inline COLORREF ColourOf(const SkinColour& colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

}  // namespace pv
