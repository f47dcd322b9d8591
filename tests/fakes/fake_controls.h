#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "file_list/file_list.h"
#include "window_contract/control_failures.h"
#include "window_contract/skin.h"
#include "window_contract/window_controls.h"

namespace pv::testing {

class FakeWindowSurface final : public WindowSurface {
public:
    FakeWindowSurface();

    PointerKind pointer() const override { return pointerKind; }
    void setPointer(PointerKind kind) override;
    void loadCustomPointer(const std::string& cursorFile) override;
    void setCaption(const std::string& text) override { caption = text; }
    void setApplicationIcon() override { iconSet = true; }
    void useButtonFaceBackground() override { windowButtonFace = true; }
    int controlCount() const override { return static_cast<int>(controlKinds.size()); }
    ControlKind controlKind(int index) const override { return controlKinds.at(index); }
    void useButtonFaceBackground(int controlIndex) override { buttonFaceControls.push_back(controlIndex); }
    SizeTwips outerSize() const override { return outer; }
    SizeTwips screenSize() const override { return screen; }
    void moveTo(double leftTwips, double topTwips) override;
    void applySkin(const Skin& skin) override;
    ScreenPoint cursorPosition() const override { return cursor; }

    PointerKind pointerKind = PointerKind::Default;
    std::vector<PointerKind> pointerChanges;
    std::set<std::string> loadableCursors;
    std::optional<std::string> customPointer;
    std::string caption;
    bool iconSet = false;
    bool windowButtonFace = false;
    std::vector<ControlKind> controlKinds;
    std::vector<int> buttonFaceControls;
    SizeTwips outer{8130, 6000};
    SizeTwips screen{19200, 10800};
    std::optional<std::pair<double, double>> position;
    // A copy of the last skin drawn: the engine hands over a temporary.
    std::optional<Skin> appliedSkin;
    int skinApplications = 0;
    ScreenPoint cursor{0, 330};
    // Runs inside setPointer; a test may fail it.
    std::function<void(PointerKind)> onSetPointer;
};

// A list view over a FileList: rows are 20 units high from y = 0.
class FakeListView final : public ListViewControl {
public:
    void attach(const FileList& files) { files_ = &files; }

    void addColumn(const std::string& header) override { columns.push_back(header); }
    void setColumnWidth(int column, double twips) override;
    int selectedRow() const override { return selected; }
    void selectRow(int row) override { selected = row; }
    void ensureVisible(int row) override { scrolledTo.push_back(row); }
    int rowAt(int x, int y) const override;
    void showDragPointer(const std::string& iconFile) override;
    void showArrowPointer() override { dragPointer.reset(); }
    void disableOutwardDrag() override { outwardDragDisabled = true; }

    static constexpr int kRowHeight = 20;
    std::vector<std::string> columns;
    std::vector<double> columnWidths;
    int selected = 0;
    std::vector<int> scrolledTo;
    std::set<std::string> loadableIcons;
    std::optional<std::string> dragPointer;
    bool outwardDragDisabled = false;

private:
    const FileList* files_ = nullptr;
};

// Setting the index calls onChange, as a real box notifies its selection change.
class FakeComboBox final : public ComboBoxControl {
public:
    int count() const override { return static_cast<int>(items.size()); }
    std::string item(int position) const override
    {
        CheckBoxItem(position, count());
        return items[static_cast<std::size_t>(position)];
    }
    void addItem(const std::string& text) override { items.push_back(text); }
    void removeItem(int value) override;
    int currentIndex() const override { return index; }
    void setCurrentIndex(int value) override;
    std::string text() const override { return index < 0 ? std::string() : items.at(index); }

    std::vector<std::string> items;
    int index = -1;
    std::function<void()> onChange;
};

class FakeProgressBar final : public ProgressBarControl {
public:
    void setValue(double value) override { values.push_back(value); }
    std::vector<double> values;
};

}  // namespace pv::testing
