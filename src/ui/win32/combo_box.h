#pragma once

#include <functional>

#include <windows.h>

#include "platform/window_controls.h"

namespace pv {

// Combo1: a drop-down list (CBS_DROPDOWNLIST) of printer names. The user's choice (handed in
// through selectionChosen) and a selection set by the program both call `selectionChanged`.
class ComboBox final : public ComboBoxControl {
public:
    ComboBox(HWND box, std::function<void()> selectionChanged);

    // The box told its owner CBN_SELCHANGE.
    void selectionChosen();

    int count() const override;
    std::string item(int index) const override;
    void addItem(const std::string& text) override;
    void removeItem(int index) override;
    int currentIndex() const override;
    void setCurrentIndex(int index) override;
    std::string text() const override;

private:
    LRESULT send(UINT message, WPARAM w = 0, LPARAM l = 0) const { return SendMessageW(box_, message, w, l); }

    HWND box_;
    std::function<void()> selectionChanged_;
};

}  // namespace pv
