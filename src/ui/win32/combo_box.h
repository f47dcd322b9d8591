#pragma once

#include <functional>

#include <windows.h>

#include "ui/win32/hover_state.h"
#include "ui/win32/painting.h"
#include "ui/win32/subclassed_control.h"
#include "ui/win32/window_look.h"
#include "window_contract/window_controls.h"

namespace pv {

// Combo1: a drop-down list (CBS_DROPDOWNLIST) of printer names that the program draws itself
// in the window's look: the closed box with its border, corners, hover, pressed and focus
// colours, and each entry of its list (owner-drawn entries) on the list's own background. The
// user's choice and a selection set by the program both call `selectionChanged`.
class ComboBox final : public ComboBoxControl, public SubclassedControl {
public:
    ComboBox(HWND box, const WindowLook& look, std::function<void()> selectionChanged);

    std::optional<LRESULT> notified(UINT message, WPARAM w, LPARAM l) override;
    // Makes the closed box `height` pixels high, with entries to match its font.
    void setClosedHeight(int height);

    int count() const override;
    std::string item(int index) const override;
    void addItem(const std::string& text) override;
    void removeItem(int index) override;
    int currentIndex() const override;
    void setCurrentIndex(int index) override;
    std::string text() const override;

private:
    LRESULT onMessage(UINT message, WPARAM w, LPARAM l) override;
    void paint() const;
    void selectionChosen();
    void drawItem(const DRAWITEMSTRUCT& item) const;

    std::function<void()> selectionChanged_;
    HoverState hover_;
    ColourBrush listBrush_;
};

}  // namespace pv
