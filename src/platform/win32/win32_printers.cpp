#include "platform/win32/win32_printers.h"

#include <windows.h>
#include <winspool.h>

#include "platform/failure.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"

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
    // No default: none while printers are installed, a failure when there are none at all.
    const auto noDefault = [this] {
        if (installed().empty())
            throw NoDefaultFailure();
        return std::string();
    };
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (GetLastError() == ERROR_FILE_NOT_FOUND)
        return noDefault();
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return noDefault();
        throw win32::SystemFailure("Cannot read the default printer", error);
    }
    name.resize(size > 0 ? size - 1 : 0);
    return win32::Utf8(name);
}

bool Win32Printers::isCurrentDefault(const std::string& name)
{
    const std::string current = defaultPrinter();
    if (current.empty())
        throw NoDefaultFailure();
    return SameName(win32::Wide(current), win32::Wide(name));
}

void Win32Printers::setDefault(const std::string& name)
{
    // Windows names a default whenever a printer is installed, so there is none to clear.
    if (name.empty())
        return;
    // An unknown name fails with ERROR_INVALID_PRINTER_NAME, the code of a missing printer.
    if (!SetDefaultPrinterW(win32::Wide(name).c_str()))
        throw win32::SystemFailure("Cannot make \"" + name + "\" the default printer", GetLastError());
}

}  // namespace pv
