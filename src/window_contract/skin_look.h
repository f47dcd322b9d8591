#pragma once

#include <optional>

#include "window_contract/skin.h"

namespace pv {

// How a skin is laid over the window's design, decided once for both windows, which only
// render it. A colour left empty is the window's own design colour for that place, which each
// window knows (the system's colours, the toolkit's palette).

// The window's own surface, and that of the dialogs it opens.
struct SkinSurfaceLook {
    std::optional<SkinColour> background;
    std::optional<SkinColour> text;
    SkinFont font;

    friend bool operator==(const SkinSurfaceLook&, const SkinSurfaceLook&) = default;
};

// One kind of control that the skin draws, in the skin's colours. Under the mouse, where hover
// highlights are on, it takes the skin's hover colour, else its resting one. Held down it
// takes the skin's own pressed colour; without one, each window shows a press as its design
// does. With the keyboard focus its border is a pixel wider, in the focus colour.
struct SkinPartLook : SkinColours {
    int borderWidth = 1;  // pixels at 96 dots per inch
    int radius = 0;       // pixels at 96 dots per inch; 0: square corners
    SkinFont font;

    friend bool operator==(const SkinPartLook&, const SkinPartLook&) = default;
};

struct SkinLook {
    // Always the skin's, whatever its flags.
    SkinSurfaceLook window;
    // The controls the skin draws: only where it draws the controls at all, and only the parts
    // it gives something; a part left out keeps the control's own look.
    std::optional<SkinPartLook> button;
    std::optional<SkinPartLook> list;
    std::optional<SkinPartLook> frame;
    std::optional<SkinPartLook> printerBox;
    std::optional<SkinPartLook> progress;
    // Buttons, list rows and the printer box light up under the mouse.
    bool hoverHighlights = false;
    // The dialogs and message boxes the window opens, where the skin reaches them: the window's
    // surface, and buttons drawn as the window's where the skin draws those.
    std::optional<SkinSurfaceLook> dialogs;

    friend bool operator==(const SkinLook&, const SkinLook&) = default;
};

SkinLook ResolveSkinLook(const Skin& skin);

}  // namespace pv
