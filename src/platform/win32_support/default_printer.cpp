#include "platform/win32_support/default_printer.h"

#include <winspool.h>

#include "platform/win32_support/system_error.h"

namespace pv::win32 {

std::optional<std::wstring> CurrentDefaultPrinter()
{
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
