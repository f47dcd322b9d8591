#pragma once

#include <span>

#include "window_contract/window_controls.h"

namespace pv::layout {

struct Font {
    const char* face;
    double points;
    bool bold;
};

struct PlaceTwips {
    double left;
    double top;
    double width;
    double height;
};

// One control of the main window.
struct Control {
    const char* name;  // the control's name, e.g. "PushButton3"
    ControlKind kind;
    int number;                  // a push button's number, 1..6; 0 for other kinds
    const char* caption;         // a button's or frame's text; empty for other kinds
    const char* accessibleName;  // what a screen reader announces
    const char* parent;          // the containing control's name, or nullptr for the window
    PlaceTwips place;            // relative to the parent's top left
    const Font* font;            // nullptr: the window's font
};

inline constexpr const char* kWindowName = "Form1";
// The client area, without border and caption.
inline constexpr double kClientWidth = 8040;
inline constexpr double kClientHeight = 5520;
extern const Font kWindowFont;

// The list's one hint for all its rows, shown as its tool tip.
extern const char* const kListToolTip;

// Every control in the window's own order, which is also the tab order.
std::span<const Control> MainWindowControls();

// The control named `name`; throws std::out_of_range for an unknown name.
const Control& ControlNamed(const char* name);

// `control`'s place relative to the window's client area (a contained control's own place is
// relative to its container).
PlaceTwips PlaceInWindow(const Control& control);

}  // namespace pv::layout
