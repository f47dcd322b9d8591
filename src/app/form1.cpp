#include "app/form1.h"

#include "base/guard.h"
#include "base/procedure_ids.h"
#include "list_actions/add_files_dialog.h"
#include "list_actions/add_folder.h"
#include "list_actions/admission.h"
#include "list_actions/drag_and_drop.h"
#include "list_actions/sample_files.h"
#include "printing/printer_selection.h"

namespace pv {
namespace {

// Runs an event procedure that lets the window process events meanwhile. Should the program's
// event loop end during it, the procedure has unwound, putting back what it changed, and
// ends here: the front end's own loop is ending too.
template <class Procedure>
void EndWithTheEventLoop(Procedure&& procedure)
{
    try {
        procedure();
    } catch (const EventLoopEnded&) {
    }
}

}  // namespace

Form1::Form1(Services& services, Form1Controls controls, ProgramConfig config)
    : services_(services),
      controls_(controls),
      config_(std::move(config)),
      reports_(services.messageBoxes, config_.supportAddress),
      skin_(services.fileSystem),
      listEditing_(files_, controls.list, controls.window, reports_, ComposePath(config_.programFolder, "drag.ico")),
      printRun_(services, reports_, files_, controls.window, controls.combo, controls.progress)
{}

void Form1::Form_Unload()
{
    // Nothing is saved now: the one remembered choice was written when it was made. A run in
    // progress puts the default back as it unwinds once the event loop has ended.
}

void Form1::ProgramEndsNow()
{
    printRun_.putBackDefaultPrintersNow();
}

void Form1::setPointerUnlessBusy(PointerKind kind)
{
    PassOverFailures([&] {
        if (controls_.window.pointer() != PointerKind::Busy)
            controls_.window.setPointer(kind);
    });
}

void Form1::Form_MouseMove()
{
    setPointerUnlessBusy(PointerKind::Default);
}

void Form1::Frame1_MouseMove()
{
    setPointerUnlessBusy(PointerKind::Default);
}

void Form1::PushButton_MouseMove(int /*button*/)
{
    setPointerUnlessBusy(PointerKind::Custom);
}

void Form1::PushButton1_Click()
{
    AddFilesFromDialog(services_.fileDialogs, reports_, openFileDialog_, files_);
}

void Form1::PushButton2_Click()
{
    EndWithTheEventLoop([&] { printRun_.PushButton2_Click(); });
}

void Form1::PushButton3_Click()
{
    EndWithTheEventLoop([&] { AddFolderTree(services_, reports_, controls_.window, files_); });
}

void Form1::PushButton4_Click()
{
    listEditing_.PushButton4_Click();
}

void Form1::PushButton5_Click()
{
    LoadSampleFiles(services_, reports_, files_, config_.programFolder);
}

void Form1::PushButton6_Click()
{
    Guard guard(procedure_id::kHelp, reports_);
    guard.step(100, [&] {
        ShowNotice(services_.messageBoxes, "Adobe Acrobat must be installed to use this software. Please email " +
                                               config_.supportAddress +
                                               " if you have any questions about this software.");
    });
}

void Form1::Combo1_Click()
{
    PassOverFailures([&] { StorePrinterChoice(services_.settings, controls_.combo); });
}

void Form1::ListView1_KeyDown(int keyCode, int shift)
{
    listEditing_.ListView1_KeyDown(keyCode, shift);
}

void Form1::ListView1_DblClick()
{
    listEditing_.ListView1_DblClick();
}

void Form1::ListView1_ItemClick(int /*row*/)
{
    PassOverFailures([&] { listEditing_.ListView1_ItemClick(); });
}

void Form1::ListView1_MouseDown(int /*button*/, int /*shift*/, int /*x*/, int /*y*/)
{
    listEditing_.ListView1_MouseDown();
}

void Form1::ListView1_MouseMove(int /*button*/, int /*shift*/, int x, int y)
{
    PassOverFailures([&] { listEditing_.ListView1_MouseMove(x, y); });
}

void Form1::ListView1_MouseUp(int /*button*/, int /*shift*/, int /*x*/, int /*y*/)
{
    PassOverFailures([&] { listEditing_.ListView1_MouseUp(); });
}

bool Form1::ListView1_OLEDragOver(bool offersFileList)
{
    return offersFileList;
}

void Form1::ListView1_OLEDragDrop(const std::vector<std::string>& paths)
{
    EndWithTheEventLoop(
        [&] { PassOverFailures([&] { AddDroppedPaths(services_.fileSystem, services_.eventPump, files_, paths); }); });
}

}  // namespace pv
