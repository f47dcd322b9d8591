#include "platform/win32_support/default_printer.h"

#include <winspool.h>

#include "platform/win32_support/system_error.h"

namespace pv::win32 {

std::optional<std::wstring> CurrentDefaultPrinter()
{
    // Most names fit a buffer of a path's length, and are read in one call then; a longer name
    // is read as any other: its length asked first.
    {
        std::wstring name(MAX_PATH, L'\0');
        DWORD size = MAX_PATH;
        if (GetDefaultPrinterW(name.data(), &size)) {
            name.resize(size > 0 ? size - 1 : 0);
            return name;
        }
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
    }
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (GetLastError() == ERROR_FILE_NOT_FOUND)
        return std::nullopt;
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        throw SystemFailure("Cannot read the default printer", error);
    }
    name.resize(size > 0 ? size - 1 : 0);
    return name;
}

}  // namespace pv::win32
