#pragma once

#include <string>

#include "app/skin_framework.h"
#include "base/error_reports.h"
#include "file_list/file_list.h"
#include "list_actions/list_editing.h"
#include "printing/print_run.h"
#include "services/dialogs.h"
#include "services/services.h"
#include "window_contract/window_controls.h"
#include "window_contract/window_events.h"

namespace pv {

// The controls of the main window, as the program reads and changes them.
struct Form1Controls {
    WindowSurface& window;
    ListViewControl& list;
    ComboBoxControl& combo;
    ProgressBarControl& progress;
};

// What the program is told when it is built and started.
struct ProgramConfig {
    // The folder that holds the program file, without a trailing separator (the root keeps its).
    std::string programFolder;
    std::string supportAddress;
    std::string homePage;
};

// The main window's behaviour: it owns the file list and answers every event procedure.
class Form1 final : public MainWindowEvents {
public:
    Form1(Services& services, Form1Controls controls, ProgramConfig config);

    FileList& fileList() { return files_; }
    const FileList& fileList() const { return files_; }

    void Form_Load() override;
    void Form_Unload() override;
    void ProgramEndsNow() override;

    void Form_MouseMove() override;
    void Frame1_MouseMove() override;
    void PushButton_MouseMove(int button) override;

    void PushButton1_Click() override;
    void PushButton2_Click() override;
    void PushButton3_Click() override;
    void PushButton4_Click() override;
    void PushButton5_Click() override;
    void PushButton6_Click() override;

    void Combo1_Click() override;

    void ListView1_KeyDown(int keyCode, int shift) override;
    void ListView1_DblClick() override;
    void ListView1_ItemClick(int row) override;
    void ListView1_MouseDown(int button, int shift, int x, int y) override;
    void ListView1_MouseMove(int button, int shift, int x, int y) override;
    void ListView1_MouseUp(int button, int shift, int x, int y) override;

    bool ListView1_OLEDragOver(bool offersFileList) override;
    void ListView1_OLEDragDrop(const std::vector<std::string>& paths) override;

private:
    void setPointerUnlessBusy(PointerKind kind);
    void drawForHomePage();

    Services& services_;
    Form1Controls controls_;
    ProgramConfig config_;
    ErrorReports reports_;
    SkinFramework skin_;
    OpenFileDialogSettings openFileDialog_;
    FileList files_;
    ListEditing listEditing_;
    PrintRun printRun_;
};

}  // namespace pv
