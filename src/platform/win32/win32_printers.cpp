#include "platform/win32/win32_printers.h"

#include <optional>

#include <windows.h>
#include <winspool.h>

#include "failure/failure.h"
#include "platform/win32_support/default_printer.h"
#include "platform/win32_support/system_error.h"
#include "platform/win32_support/wide_text.h"

namespace pv {
namespace {

Failure NoDefaultFailure()
{
    return Failure("No default printer is set.", failure_code::kPrinterNotFound);
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace

std::vector<std::string> Win32Printers::installed()
{
    constexpr DWORD kWhich = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersW(kWhich, nullptr, 4, nullptr, 0, &needed, &count);
    // PRINTER_INFO_4W holds pointers into the same buffer, so it is allocated with their alignment.
    std::vector<PRINTER_INFO_4W> buffer(needed / sizeof(PRINTER_INFO_4W) + 1);
    if (!EnumPrintersW(kWhich, nullptr, 4, reinterpret_cast<BYTE*>(buffer.data()),
                       static_cast<DWORD>(buffer.size() * sizeof(PRINTER_INFO_4W)), &needed, &count))
        throw win32::SystemFailure("Cannot list the printers", GetLastError());
    std::vector<std::string> names;
    for (DWORD i = 0; i < count; ++i)
        names.push_back(win32::Utf8(buffer[i].pPrinterName));
    return names;
}

std::string Win32Printers::defaultPrinter()
{
    if (const auto name = win32::CurrentDefaultPrinter())
        return win32::Utf8(*name);
    // Printers without a default are told apart from no printers at all.
    if (installed().empty())
        throw NoDefaultFailure();
    return {};
}

bool Win32Printers::isCurrentDefault(const std::string& name)
{
    const auto current = win32::CurrentDefaultPrinter();
    if (!current)
        throw NoDefaultFailure();
    return SameName(*current, win32::Wide(name));
}

void Win32Printers::setDefault(const std::string& name)
{
    // Windows has no call that leaves printers without a default; the program only asks for
    // that to put back a state it found, so there is nothing to change.
    if (name.empty())
        return;
    // Windows keeps the name in the spelling it is given, and a name in other case would read
    // back so: the installed spelling is given. An unknown name fails with
    // ERROR_INVALID_PRINTER_NAME, the code of a missing printer.
    std::wstring wide = win32::Wide(name);
    for (const std::string& installedName : installed()) {
        if (const std::wstring spelled = win32::Wide(installedName); SameName(spelled, wide)) {
            wide = spelled;
            break;
        }
    }
    if (!SetDefaultPrinterW(wide.c_str()))
        throw win32::SystemFailure("Cannot make \"" + name + "\" the default printer", GetLastError());
}

}  // namespace pv
