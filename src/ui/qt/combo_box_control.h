#pragma once

#include <functional>

#include "window_contract/window_controls.h"

class QComboBox;

namespace pv {

// Combo1 through a QComboBox that is not editable. A selection change, by the user or by
// setCurrentIndex, calls `selectionChanged`; adding and removing entries never does, and an
// entry added to an empty box is not selected by it.
class ComboBoxAdapter final : public ComboBoxControl {
public:
    ComboBoxAdapter(QComboBox& box, std::function<void()> selectionChanged);

    int count() const override;
    std::string item(int index) const override;
    void addItem(const std::string& text) override;
    void removeItem(int index) override;
    int currentIndex() const override;
    void setCurrentIndex(int index) override;
    std::string text() const override;

private:
    QComboBox& box_;
    std::function<void()> selectionChanged_;
};

}  // namespace pv
