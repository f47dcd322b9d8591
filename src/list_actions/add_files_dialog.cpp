#include "list_actions/add_files_dialog.h"

#include <vector>

#include "base/guard.h"
#include "base/procedure_ids.h"
#include "list_actions/admission.h"

namespace pv {
namespace {

constexpr std::uint32_t kDialogFlags =
    open_flags::kReadOnly | open_flags::kAllowMultiSelect | open_flags::kExplorer | open_flags::kLongNames;
constexpr const char* kDialogTitle = "Add File(s) - Hold Ctrl to select multiple files";
constexpr const char* kDialogFilter = "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*";
constexpr const char* kTooManyFiles =
    "You've selected too many files to add.\r\rPlease try adding via the \"Add All\" button.";

std::vector<std::string> SplitAtNul(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t nul; (nul = text.find('\0', start)) != std::string::npos; start = nul + 1)
        parts.push_back(text.substr(start, nul - start));
    parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

void AddFilesFromDialog(FileDialogs& dialogs, ErrorReports& reports, OpenFileDialogSettings& settings, FileList& files)
{
    Guard guard(procedure_id::kAddFiles, reports);
    guard.setFailureHandler([&](const Failure& failure) {
        if (failure.code() != failure_code::kFileNameBufferTooSmall)
            return false;
        ShowNotice(reports.boxes(), kTooManyFiles);
        return true;
    });

    guard.step(104, [&] { settings.fileName.clear(); });
    guard.step(106, [&] { settings.flags = kDialogFlags; });
    guard.step(108, [&] { settings.title = kDialogTitle; });
    guard.step(110, [&] { settings.filter = kDialogFilter; });
    guard.step(112, [&] { settings.fileName = dialogs.showOpen(settings); });
    if (guard.ended() || guard.test(114, [&] { return settings.fileName.empty(); }))
        return;

    std::vector<std::string> parts;
    guard.step(116, [&] { parts = SplitAtNul(settings.fileName); });
    if (guard.test(118, [&] { return parts.size() == 1; })) {
        std::string path;
        guard.step(120, [&] { path = parts.at(0); });
        guard.step(122, [&] { AppendListEntry(files, path); });
        return;
    }
    std::size_t first = 0;
    std::size_t last = 0;
    guard.step(126, [&] { first = 1; });
    guard.step(128, [&] { last = parts.size() - 1; });
    for (std::size_t i = first; i <= last; ++i) {
        std::string path;
        guard.step(136, [&] { path = ComposePath(parts.at(0), parts.at(i)); });
        guard.step(138, [&] { path = NormaliseEntryPath(path); });
        guard.step(140, [&] { AppendListEntry(files, path); });
    }
}

}  // namespace pv
