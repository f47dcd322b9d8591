#include "list_actions/add_folder.h"

#include "base/guard.h"
#include "base/procedure_ids.h"
#include "list_actions/admission.h"
#include "platform/portable/folder_walk.h"
#include "services/path_style.h"

namespace pv {
namespace {

// The walk's steps as numbered lines of this action's guarded procedure.
struct GuardedWalkSteps {
    Guard& guard;

    static int line(WalkStep step)
    {
        switch (step) {
        case WalkStep::CollectFolders:
            return 116;
        case WalkStep::TrimEntry:
            return 120;
        case WalkStep::ListFolder:
            return 122;
        case WalkStep::TestName:
            return 126;
        case WalkStep::ComposePath:
            return 128;
        }
        return 0;
    }
    template <class Step>
    void step(WalkStep walkStep, Step&& action)
    {
        guard.step(line(walkStep), action);
    }
    template <class Test>
    bool test(WalkStep walkStep, Test&& condition)
    {
        return guard.test(line(walkStep), condition);
    }
};

}  // namespace

void AddFolderTree(Services& services, ErrorReports& reports, WindowSurface& window, FileList& files)
{
    Guard guard(procedure_id::kAddFolder, reports);
    std::string extension;
    std::string folder;
    guard.step(100, [&] { extension = "pdf"; });
    guard.step(104, [&] { folder = services.fileDialogs.browseForFolder("Please select folder:"); });
    if (guard.test(106, [&] { return folder.empty(); }))
        return;
    guard.step(112, [&] { window.setPointer(PointerKind::Busy); });

    FolderList folders;
    guard.step(114, [&] { folders = {folder + kPathSeparator}; });
    // Every folder is listed and its files judged first, the window answering between folders
    // and every few hundred files; the rows follow in one go.
    GuardedWalkSteps steps{guard};
    AddWalkedFiles(
        services.fileSystem, services.eventPump, folders, "*." + extension, steps,
        [&](const std::string& path) {
            return guard.test(132,
                              [&] { return ReadAttributes(services.fileSystem, path) != kSkippedTreeFileAttributes; });
        },
        [&](std::string path) { guard.step(132, [&] { AppendListEntry(files, std::move(path)); }); });
    guard.step(136, [&] { window.setPointer(PointerKind::Default); });
}

}  // namespace pv
