#include "printing/printer_selection.h"

#include <charconv>

namespace pv {

std::optional<int> ParsePrinterPosition(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

bool IsHiddenPrinter(const std::string& name)
{
    return name.find("Quillmark") != std::string::npos;
}

void FillPrinterList(Printers& printers, SettingsStore& settings, ComboBoxControl& combo)
{
    const std::string defaultName = printers.defaultPrinter();
    for (const std::string& name : printers.installed())
        combo.addItem(name);

    const std::string stored = settings.get(kSettingsApplication, kSettingsSection, kPrinterChoiceKey);
    if (!stored.empty()) {
        const std::optional<int> position = ParsePrinterPosition(stored);
        if (position && *position >= 0 && *position < combo.count())
            combo.setCurrentIndex(*position);
        return;
    }
    if (defaultName.empty())
        return;
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.item(i) == defaultName) {
            combo.setCurrentIndex(i);
            return;
        }
    }
}

void StorePrinterChoice(SettingsStore& settings, const ComboBoxControl& combo)
{
    settings.set(kSettingsApplication, kSettingsSection, kPrinterChoiceKey, std::to_string(combo.currentIndex()));
}

std::optional<std::string> GetDefaultPrinter(Printers& printers, ErrorReports& reports)
{
    try {
        return printers.defaultPrinter();
    } catch (const Failure& failure) {
        reports.showPrinterQueryReport(failure);
        return std::nullopt;
    }
}

void SwitchDefaultPrinter(Printers& printers, const std::string& printerName)
{
    printers.setDefault(printerName);
}

void EnsureDefaultPrinter(Printers& printers, const std::string& printerName)
{
    if (!printers.isCurrentDefault(printerName))
        throw Failure("The printer \"" + printerName +
                          "\" is no longer the default printer, so this file was not "
                          "printed.",
                      failure_code::kPrinterNotFound);
}

}  // namespace pv
