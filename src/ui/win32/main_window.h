#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <windows.h>

#include "platform/win32_support/owned.h"
#include "ui/layout/main_window_layout.h"
#include "ui/win32/combo_box.h"
#include "ui/win32/font_cache.h"
#include "ui/win32/frame.h"
#include "ui/win32/list_view.h"
#include "ui/win32/message_box_colours.h"
#include "ui/win32/progress_bar.h"
#include "ui/win32/push_button.h"
#include "ui/win32/window_look.h"
#include "window_contract/skin.h"
#include "window_contract/skin_look.h"
#include "window_contract/window_controls.h"

namespace pv {

class FileList;
class MainWindowEvents;

// Form1, the program's one window: a fixed-size window (single border, no maximise box) with
// the file list, six buttons, the printer box in its frame and the progress bar, made from the
// control table at the dots per inch of the display it is on, and laid out again when it
// moves to a display of another scale. What the user does is handed to the window's event
// procedures (setEvents); the window itself decides nothing. Like a dialog, it gives the
// focus back to the control that had it whenever it is activated again.
class MainWindow final : public WindowSurface {
public:
    // Closing the window runs Form_Unload, destroys the window and posts the quit message,
    // which ends the program's message loop and every wait inside it.
    MainWindow();
    ~MainWindow() override;

    HWND handle() const { return window_.get(); }
    void setEvents(MainWindowEvents* events);
    // Shows the rows of `files`; nullptr detaches.
    void attachFileList(FileList* files);

    ListViewControl& listView() { return *list_; }
    ComboBoxControl& comboBox() { return *combo_; }
    ProgressBarControl& progressBar() { return *progress_; }

    void show();
    // The program's message loop, with the keyboard's dialog navigation (tab order); a failure
    // that comes out of an event procedure here is passed over. Returns the quit message's code.
    int run();

    PointerKind pointer() const override { return pointer_; }
    void setPointer(PointerKind kind) override;
    void loadCustomPointer(const std::string& cursorFile) override;
    void setCaption(const std::string& caption) override;
    void setApplicationIcon() override;
    void useButtonFaceBackground() override;
    int controlCount() const override;
    ControlKind controlKind(int index) const override;
    void useButtonFaceBackground(int controlIndex) override;
    SizeTwips outerSize() const override;
    SizeTwips screenSize() const override;
    void moveTo(double leftTwips, double topTwips) override;
    void applySkin(const Skin& skin) override;
    ScreenPoint cursorPosition() const override;

private:
    struct Control {
        HWND window;
        SubclassedControl* control;  // which answers what the window is told about it
        const layout::Control* entry;
        bool buttonFace = false;
        // The font the layout gave it, none before the first.
        HFONT font = nullptr;
    };

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT onMessage(UINT message, WPARAM w, LPARAM l);

    void createControls();
    SubclassedControl& createControl(const layout::Control& control);
    // Gives the controls their fonts for the window's dots per inch, and moves them when those
    // differ from `previousDpi`, the dots per inch they were last placed at.
    void layOut(int previousDpi);
    HFONT fontFor(const layout::Font& font, const SkinFont& skin);
    // Works the look out again from the design colours, the skin and the scale, and redraws.
    void refreshLook();
    void mouseMoved(POINT at);
    void activated(bool active);
    HCURSOR currentCursor() const;
    const Control& control(int index) const;

    MainWindowEvents* events_ = nullptr;
    win32::OwnedWindow window_;
    WindowLook look_;
    std::optional<SkinLook> skin_;
    std::vector<Control> controls_;  // in the table's order, which is the tab order
    FontCache fonts_;
    std::unique_ptr<ListView> list_;
    std::unique_ptr<ComboBox> combo_;
    std::unique_ptr<ProgressBar> progress_;
    std::unique_ptr<Frame> frame_;
    std::vector<std::unique_ptr<PushButton>> buttons_;
    HWND focused_ = nullptr;  // the control that had the focus when the window was last left
    PointerKind pointer_ = PointerKind::Default;
    win32::OwnedCursor customCursor_;
    bool buttonFace_ = false;
    win32::OwnedBrush windowBrush_;
    MessageBoxColours messageBoxColours_;
};

}  // namespace pv
