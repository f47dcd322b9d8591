#include "fakes/form_harness.h"

namespace pv::testing {

FakeServiceSet::FakeServiceSet()
{
    pump.onWait = [this](std::chrono::milliseconds duration) { clock.advance(duration); };
}

FormHarness::FormHarness()
{
    list.attach(form.fileList());
    combo.onChange = [this] { form.Combo1_Click(); };
}

std::vector<std::string> FormHarness::rows() const
{
    std::vector<std::string> result;
    const FileList& files = form.fileList();
    for (int row = 1; row <= files.count(); ++row)
        result.push_back(files.text(row));
    return result;
}

void FormHarness::addRows(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
        form.fileList().append(path);
}

std::vector<std::string> FormHarness::boxTexts() const
{
    std::vector<std::string> texts;
    for (const auto& box : boxes.shown)
        texts.push_back(box.text);
    return texts;
}

}  // namespace pv::testing
