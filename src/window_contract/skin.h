#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pv {

// A colour of the skin, 8 bits per channel.
struct SkinColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const SkinColour&, const SkinColour&) = default;
};

struct SkinFont {
    std::optional<std::string> family;
    std::optional<double> pointSize;
    std::optional<bool> bold;

    friend bool operator==(const SkinFont&, const SkinFont&) = default;
};

// The colours of one part of the window; one left unset keeps the window's own.
struct SkinColours {
    std::optional<SkinColour> background;
    std::optional<SkinColour> text;
    std::optional<SkinColour> border;
    std::optional<SkinColour> hoverBackground;
    std::optional<SkinColour> pressedBackground;
    // The list's selected rows, the progress bar's chunk, the printer box's highlighted entry.
    std::optional<SkinColour> selection;
    std::optional<SkinColour> selectionText;
    // The border of the control that has the keyboard focus.
    std::optional<SkinColour> focus;

    friend bool operator==(const SkinColours&, const SkinColours&) = default;
};

// How one part of the window is drawn. Everything is optional: what a skin leaves unset
// keeps the window's own look.
struct SkinPart : SkinColours {
    std::optional<int> borderWidth;  // pixels
    std::optional<int> radius;       // pixels
    SkinFont font;

    friend bool operator==(const SkinPart&, const SkinPart&) = default;
};

// What the skin engine has been told to draw, on top of the skin file's content.
struct SkinFlags {
    // Option bit 1: the skin draws the window's controls (buttons, list, frame, printer box,
    // progress bar), not only the window's own surface.
    bool skinControls = false;
    // Switch 5: the dialogs and message boxes the window opens take the skin too.
    bool skinDialogs = false;
    // Switch 10: buttons, list rows and the printer box light up under the mouse.
    bool hoverHighlights = false;

    friend bool operator==(const SkinFlags&, const SkinFlags&) = default;
};

// A skin: one part per kind of surface of the main window, and the engine's flags.
struct Skin {
    SkinPart window;
    SkinPart button;
    SkinPart list;
    SkinPart frame;
    SkinPart printerBox;
    SkinPart progress;
    SkinFlags flags;

    friend bool operator==(const Skin&, const Skin&) = default;
};

}  // namespace pv
