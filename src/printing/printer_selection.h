#pragma once

#include <optional>
#include <string>

#include "base/error_reports.h"
#include "services/printers.h"
#include "services/settings_store.h"
#include "window_contract/window_controls.h"

namespace pv {

// Where the chosen printer's position is remembered between starts.
inline constexpr const char* kSettingsApplication = "Quillmark";
inline constexpr const char* kSettingsSection = "Pressvale";
inline constexpr const char* kPrinterChoiceKey = "Combo1";

// Printers whose names hold this word (letter case included) are taken out of the box.
bool IsHiddenPrinter(const std::string& name);

// The remembered position read back from its settings text: the value of a decimal whole
// number (an optional minus sign, then digits only) that fits an int; nothing otherwise.
std::optional<int> ParsePrinterPosition(const std::string& text);

// Fills the printer box with the installed printers and selects the remembered position, or
// the default printer when nothing is remembered. An unusable remembered value selects
// nothing. Fails, leaving the box empty, when the default printer cannot be read.
void FillPrinterList(Printers& printers, SettingsStore& settings, ComboBoxControl& combo);

// Remembers the selected position; called on every selection change.
void StorePrinterChoice(SettingsStore& settings, const ComboBoxControl& combo);

// The default printer's name, an empty text when printers are installed but none is the
// default; on failure, the printer-query report and nothing.
std::optional<std::string> GetDefaultPrinter(Printers& printers, ErrorReports& reports);

// Makes `printerName` the default printer, or none when it is empty. Failures go to the caller.
void SwitchDefaultPrinter(Printers& printers, const std::string& printerName);

// Throws Failure unless the print system answers and `printerName` is still its default.
void EnsureDefaultPrinter(Printers& printers, const std::string& printerName);

}  // namespace pv
