#pragma once

#include <string>

namespace pv {

struct Skin;

// The main window's mouse pointer.
enum class PointerKind { Default, Busy, Custom };

// Kinds of control on a window, as the appearance routine tells them apart.
enum class ControlKind { ListView, PushButton, ComboBox, Frame, ProgressBar, Label, OptionButton, CheckBox, Component };

struct SizeTwips {
    double width = 0;
    double height = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The main window itself: pointer, caption, icon, colours, placement and skin.
class WindowSurface {
public:
    virtual ~WindowSurface() = default;

    virtual PointerKind pointer() const = 0;
    virtual void setPointer(PointerKind kind) = 0;
    // Loads a cursor file as the custom pointer's image. Throws Failure when the file cannot
    // be read as a cursor; the custom pointer then keeps no image (it looks like the arrow).
    virtual void loadCustomPointer(const std::string& cursorFile) = 0;

    virtual void setCaption(const std::string& caption) = 0;
    virtual void setApplicationIcon() = 0;

    // The window background and the background of the control at `index` (in the window's
    // own control order) take the system's button-face colour.
    virtual void useButtonFaceBackground() = 0;
    virtual int controlCount() const = 0;
    virtual ControlKind controlKind(int index) const = 0;
    virtual void useButtonFaceBackground(int controlIndex) = 0;

    // Placement, in twips: the whole window with its frame, and the whole screen.
    virtual SizeTwips outerSize() const = 0;
    virtual SizeTwips screenSize() const = 0;
    virtual void moveTo(double leftTwips, double topTwips) = 0;

    // Draws the window and its controls with `skin`.
    virtual void applySkin(const Skin& skin) = 0;

    // The mouse cursor's position on the screen, in pixels from the top left.
    virtual ScreenPoint cursorPosition() const = 0;
};

// The file list's view. Rows are numbered from 1; 0 means "no row".
class ListViewControl {
public:
    virtual ~ListViewControl() = default;

    virtual void addColumn(const std::string& header) = 0;
    virtual void setColumnWidth(int column, double twips) = 0;

    virtual int selectedRow() const = 0;
    virtual void selectRow(int row) = 0;
    // Scrolls just far enough to show `row`.
    virtual void ensureVisible(int row) = 0;
    // The row under (x, y) in the list's own coordinates, or 0.
    virtual int rowAt(int x, int y) const = 0;

    // The list's own pointer: the drag icon loaded from `iconFile` (throws Failure when it
    // cannot be loaded), or the arrow.
    virtual void showDragPointer(const std::string& iconFile) = 0;
    virtual void showArrowPointer() = 0;
    // Pressing on a row and moving never starts a drag out of the list.
    virtual void disableOutwardDrag() = 0;
};

// The printer box: a drop-down list of names. Entries are numbered from 0; -1 is "none".
// Setting the index notifies the selection change; adding and removing entries never do.
class ComboBoxControl {
public:
    virtual ~ComboBoxControl() = default;
    virtual int count() const = 0;
    virtual std::string item(int index) const = 0;
    virtual void addItem(const std::string& text) = 0;
    // Removing the selected entry leaves no selection.
    virtual void removeItem(int index) = 0;
    virtual int currentIndex() const = 0;
    // Throws Failure for an index outside -1..count-1.
    virtual void setCurrentIndex(int index) = 0;
    // The selected entry's text, or an empty text.
    virtual std::string text() const = 0;
};

class ProgressBarControl {
public:
    virtual ~ProgressBarControl() = default;
    // A value on the bar's scale of 0 to 100.
    virtual void setValue(double value) = 0;
};

}  // namespace pv
