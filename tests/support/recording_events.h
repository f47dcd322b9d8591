#pragma once

#include <string>
#include <vector>

#include "failure/failure.h"
#include "window_contract/window_events.h"

namespace pv::testing {

// Writes down every event procedure the window calls, one line each, in order; the call
// written as `failingCall` then throws a Failure of that text.
class RecordingEvents : public MainWindowEvents {
public:
    std::vector<std::string> calls;
    std::vector<std::vector<std::string>> drops;
    bool acceptDrags = true;
    std::string failingCall;

    void Form_Load() override { note("Form_Load"); }
    void Form_Unload() override { note("Form_Unload"); }
    void ProgramEndsNow() override { note("ProgramEndsNow"); }
    void Form_MouseMove() override { note("Form_MouseMove"); }
    void Frame1_MouseMove() override { note("Frame1_MouseMove"); }
    void PushButton_MouseMove(int button) override { note("PushButton_MouseMove " + std::to_string(button)); }
    void PushButton1_Click() override { note("PushButton1_Click"); }
    void PushButton2_Click() override { note("PushButton2_Click"); }
    void PushButton3_Click() override { note("PushButton3_Click"); }
    void PushButton4_Click() override { note("PushButton4_Click"); }
    void PushButton5_Click() override { note("PushButton5_Click"); }
    void PushButton6_Click() override { note("PushButton6_Click"); }
    void Combo1_Click() override { note("Combo1_Click"); }
    void ListView1_KeyDown(int keyCode, int shift) override
    {
        note("KeyDown " + std::to_string(keyCode) + " " + std::to_string(shift));
    }
    void ListView1_DblClick() override { note("DblClick"); }
    void ListView1_ItemClick(int row) override { note("ItemClick " + std::to_string(row)); }
    void ListView1_MouseDown(int button, int shift, int x, int y) override { mouse("MouseDown", button, shift, x, y); }
    void ListView1_MouseMove(int button, int shift, int x, int y) override { mouse("MouseMove", button, shift, x, y); }
    void ListView1_MouseUp(int button, int shift, int x, int y) override { mouse("MouseUp", button, shift, x, y); }
    bool ListView1_OLEDragOver(bool offersFileList) override
    {
        note(std::string("DragOver ") + (offersFileList ? "files" : "none"));
        return acceptDrags && offersFileList;
    }
    void ListView1_OLEDragDrop(const std::vector<std::string>& paths) override
    {
        note("DragDrop");
        drops.push_back(paths);
    }

    // The calls whose line starts with `prefix`.
    std::vector<std::string> callsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& call : calls) {
            if (call.rfind(prefix, 0) == 0)
                found.push_back(call);
        }
        return found;
    }

private:
    void note(std::string call)
    {
        calls.push_back(call);
        if (call == failingCall)
            throw Failure(call, failure_code::kInternalError);
    }
    void mouse(const char* name, int button, int shift, int x, int y)
    {
        note(std::string(name) + " " + std::to_string(button) + " " + std::to_string(shift) + " " + std::to_string(x) +
             " " + std::to_string(y));
    }
};

}  // namespace pv::testing
