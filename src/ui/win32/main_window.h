#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <windows.h>

#include "platform/window_controls.h"
#include "ui/layout/main_window_layout.h"
#include "ui/win32/combo_box.h"
#include "ui/win32/list_view.h"
#include "ui/win32/progress_bar.h"
#include "ui/win32/window_handles.h"

namespace pv {

class FileList;
class MainWindowEvents;

// Ends the program at once: a print run waiting inside a nested message loop must not carry on.
[[noreturn]] void EndProgramNow();

// Form1, the program's one window: a fixed-size window (single border, no maximise box) with
// the file list, six buttons, the printer box in its frame and the progress bar, made from the
// control table. What the user does is handed to the window's event procedures (setEvents);
// the window itself decides nothing.
class MainWindow final : public WindowSurface {
public:
    // `endProgram` runs when the window closes, after Form_Unload; tests replace it.
    explicit MainWindow(std::function<void()> endProgram = EndProgramNow);
    ~MainWindow() override;

    HWND handle() const { return window_.get(); }
    void setEvents(MainWindowEvents* events);
    // Shows the rows of `files`; nullptr detaches.
    void attachFileList(FileList* files);

    ListViewControl& listView() { return *list_; }
    ComboBoxControl& comboBox() { return *combo_; }
    ProgressBarControl& progressBar() { return *progress_; }

    void show();
    // The program's message loop, with the keyboard's dialog navigation (tab order); returns
    // the quit message's code.
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
        const layout::Control* entry;
        bool buttonFace = false;
    };

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK buttonProcedure(HWND button, UINT message, WPARAM w, LPARAM l, UINT_PTR number,
                                            DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    void createControls();
    HWND createControl(const layout::Control& control);
    HFONT fontFor(const layout::Font& font);
    void commanded(int id, int code);
    void clicked(int number);
    void mouseMoved(POINT at);
    HCURSOR currentCursor() const;
    void refreshCursor() const;
    HBRUSH backgroundFor(HWND control, HDC context);
    const Control& control(int index) const;

    std::function<void()> endProgram_;
    MainWindowEvents* events_ = nullptr;
    win32::OwnedWindow window_;
    std::vector<Control> controls_;  // in the table's order, which is the tab order
    std::vector<std::pair<const layout::Font*, win32::OwnedFont>> fonts_;
    std::unique_ptr<ListView> list_;
    std::unique_ptr<ComboBox> combo_;
    std::unique_ptr<ProgressBar> progress_;
    HWND frame_ = nullptr;
    PointerKind pointer_ = PointerKind::Default;
    win32::OwnedCursor customCursor_;
    bool buttonFace_ = false;
    win32::OwnedBrush skinBackground_;
    std::optional<COLORREF> skinFrameText_;
};

}  // namespace pv
