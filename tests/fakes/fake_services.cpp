#include "fakes/fake_services.h"

#include <algorithm>
#include <cctype>

namespace pv::testing {
namespace {

template <class Queue>
std::string TakeResult(Queue& results)
{
    if (results.empty())
        return {};
    auto result = std::move(results.front());
    results.pop_front();
    if (auto* failure = std::get_if<Failure>(&result))
        throw *failure;
    return std::get<std::string>(result);
}

bool SameName(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

BoxAnswer FakeMessageBoxes::show(const std::string& text, const std::string& title, BoxButtons buttons, BoxIcon icon)
{
    shown.push_back(Box{text, title, buttons, icon});
    if (onShow)
        onShow(shown.back());
    if (answers.empty())
        return buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
    const BoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<int> ReportedLines(const FakeMessageBoxes& boxes, const std::string& procedure)
{
    const std::string marker = procedure + " at line ";
    std::vector<int> lines;
    for (const FakeMessageBoxes::Box& box : boxes.shown) {
        const auto at = box.text.find(marker);
        const bool report = box.title == "Application Error" && at != std::string::npos;
        lines.push_back(report ? std::stoi(box.text.substr(at + marker.size())) : -1);
    }
    return lines;
}

std::string FakeFileDialogs::showOpen(const OpenFileDialogSettings& settings)
{
    openedWith.push_back(settings);
    return TakeResult(openResults);
}

std::string FakeFileDialogs::browseForFolder(const std::string& title)
{
    folderTitles.push_back(title);
    return TakeResult(folderResults);
}

std::vector<std::string> FakePrinters::installed()
{
    if (installedFailure)
        throw *installedFailure;
    return names;
}

std::string FakePrinters::defaultPrinter()
{
    if (defaultFailure)
        throw *defaultFailure;
    if (defaultName.empty() && names.empty())
        throw Failure("No default printer is set.", failure_code::kPrinterNotFound);
    return defaultName;
}

bool FakePrinters::isCurrentDefault(const std::string& name)
{
    for (const auto& failure : {installedFailure, defaultFailure}) {
        if (failure)
            throw *failure;
    }
    const std::string current = defaultPrinter();
    if (current.empty())
        throw Failure("No default printer is set.", failure_code::kPrinterNotFound);
    return current == name;
}

void FakePrinters::setDefault(const std::string& name)
{
    setDefaultCalls.push_back(name);
    if (setDefaultFailure)
        throw *setDefaultFailure;
    if (name.empty()) {
        defaultName.clear();
        return;
    }
    const auto found =
        std::find_if(names.begin(), names.end(), [&](const std::string& n) { return SameName(n, name); });
    if (found == names.end())
        throw Failure("The printer \"" + name + "\" is not installed.", failure_code::kPrinterNotFound);
    defaultName = *found;
}

std::string FakeSettingsStore::get(const std::string& application, const std::string& section, const std::string& key)
{
    const auto found = values.find(application + "/" + section + "/" + key);
    return found == values.end() ? std::string() : found->second;
}

void FakeSettingsStore::set(const std::string& application, const std::string& section, const std::string& key,
                            const std::string& value)
{
    ++writes;
    values[application + "/" + section + "/" + key] = value;
}

std::string FakeShell::specialFolderPath(int folderNumber)
{
    const auto found = specialFolders.find(folderNumber);
    return found == specialFolders.end() ? std::string() : found->second;
}

void FakeShell::openFolder(const std::string& folder)
{
    openedFolders.push_back(folder);
}

void FakeShell::openAddress(const std::string& address)
{
    if (openAddressFailure)
        throw *openAddressFailure;
    openedAddresses.push_back(address);
}

}  // namespace pv::testing
