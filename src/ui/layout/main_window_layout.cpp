#include "ui/layout/main_window_layout.h"

#include <array>
#include <cstring>
#include <stdexcept>
#include <string>

namespace pv::layout {

const Font kWindowFont{"Arial", 9, true};
const char* const kListToolTip =
    "Drag and drop files here. Double-click item to remove it. Move bar to right and out of "
    "window to reveal full names.";

namespace {

const Font kButtonFont{"Arial", 11.25, true};
constexpr double kButtonHeight = 405;

Control Button(int number, const char* name, const char* caption, double left, double top, double width)
{
    return {name,    ControlKind::PushButton,           number,      caption, caption,
            nullptr, {left, top, width, kButtonHeight}, &kButtonFont};
}

const std::array<Control, 10> kControls{{
    {"ListView1", ControlKind::ListView, 0, "", "PDF Files", nullptr, {120, 630, 7800, 1815}, nullptr},
    Button(1, "PushButton1", "Add PDF File(s)", 120, 2530, 3840),
    Button(3, "PushButton3", "Add All PDF File(s) In Folder", 4080, 2530, 3840),
    Button(4, "PushButton4", "Clear List", 120, 3040, 3840),
    Button(5, "PushButton5", "Load Sample/Example Files", 4080, 3040, 3840),
    Button(6, "PushButton6", "Help", 120, 120, 7800),
    {"ProgressBar1", ControlKind::ProgressBar, 0, "", "Progress", nullptr, {120, 4980, 7800, kButtonHeight}, nullptr},
    Button(2, "PushButton2", "Start Printing", 120, 4460, 7800),
    {"Frame1", ControlKind::Frame, 0, "Select Printer", "Select Printer", nullptr, {120, 3510, 7800, 825}, nullptr},
    {"Combo1", ControlKind::ComboBox, 0, "", "Select Printer", "Frame1", {240, 300, 7320, 345}, nullptr},
}};

}  // namespace

std::span<const Control> MainWindowControls()
{
    return kControls;
}

const Control& ControlNamed(const char* name)
{
    for (const Control& control : kControls) {
        if (std::strcmp(control.name, name) == 0)
            return control;
    }
    throw std::out_of_range(std::string("No control named ") + name);
}

PlaceTwips PlaceInWindow(const Control& control)
{
    if (!control.parent)
        return control.place;
    const PlaceTwips outer = PlaceInWindow(ControlNamed(control.parent));
    return {outer.left + control.place.left, outer.top + control.place.top, control.place.width, control.place.height};
}

}  // namespace pv::layout
