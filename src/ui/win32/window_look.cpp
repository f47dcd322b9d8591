#include "ui/win32/window_look.h"

namespace pv {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

PartLook SystemPart(COLORREF background, COLORREF text)
{
    PartLook part{};
    part.background = background;
    part.text = text;
    part.border = GetSysColor(COLOR_BTNSHADOW);
    part.hoverBackground = background;
    part.pressedBackground = GetSysColor(COLOR_BTNFACE);
    part.focus = GetSysColor(COLOR_HIGHLIGHT);
    part.selection = GetSysColor(COLOR_HIGHLIGHT);
    part.selectionText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    return part;
}

COLORREF Or(const std::optional<SkinColour>& colour, COLORREF otherwise)
{
    return colour ? ColourOf(*colour) : otherwise;
}

std::optional<COLORREF> OptionalColour(const std::optional<SkinColour>& colour)
{
    return colour ? std::optional(ColourOf(*colour)) : std::nullopt;
}

// `skin` over `part`, where the skin draws it. A press without a colour of its own shows the
// colour under the mouse.
bool Overlay(PartLook& part, const std::optional<SkinPartLook>& skin)
{
    if (!skin)
        return false;
    part.background = Or(skin->background, part.background);
    part.text = Or(skin->text, part.text);
    part.border = Or(skin->border, part.border);
    part.hoverBackground = Or(skin->hoverBackground, part.background);
    part.pressedBackground = Or(skin->pressedBackground, part.hoverBackground);
    part.focus = Or(skin->focus, part.focus);
    part.selection = Or(skin->selection, part.selection);
    part.selectionText = Or(skin->selectionText, part.selectionText);
    part.borderWidth = skin->borderWidth;
    part.radius = skin->radius;
    part.font = skin->font;
    return true;
}

}  // namespace

const PartLook& WindowLook::part(ControlKind kind) const
{
    switch (kind) {
    case ControlKind::ListView:
        return list;
    case ControlKind::ComboBox:
        return printerBox;
    case ControlKind::Frame:
        return frame;
    case ControlKind::ProgressBar:
        return progress;
    default:
        return button;
    }
}

WindowLook DesignLook(bool buttonFaceWindow, bool buttonFaceFrame)
{
    WindowLook look{};
    look.window = buttonFaceWindow ? GetSysColor(COLOR_BTNFACE) : kWhite;
    look.button = SystemPart(kWhite, GetSysColor(COLOR_BTNTEXT));
    look.list = SystemPart(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
    look.frame = SystemPart(buttonFaceFrame ? GetSysColor(COLOR_BTNFACE) : look.window, GetSysColor(COLOR_WINDOWTEXT));
    look.printerBox = SystemPart(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
    look.printerBox.pressedBackground = look.printerBox.background;
    look.progress = SystemPart(kWhite, GetSysColor(COLOR_BTNTEXT));
    return look;
}

WindowLook SkinnedLook(const WindowLook& design, const SkinLook& skin)
{
    WindowLook look = design;
    look.window = Or(skin.window.background, design.window);
    // A frame in the window's colour stays in it.
    if (design.frame.background == design.window)
        look.frame.background = look.window;
    Overlay(look.button, skin.button);
    look.drawsList = Overlay(look.list, skin.list);
    look.drawsFrame = Overlay(look.frame, skin.frame);
    Overlay(look.printerBox, skin.printerBox);
    Overlay(look.progress, skin.progress);
    look.hoverHighlights = skin.hoverHighlights;
    if (skin.dialogs) {
        look.dialogBackground = OptionalColour(skin.dialogs->background);
        look.dialogText = OptionalColour(skin.dialogs->text);
    }
    return look;
}

}  // namespace pv
