#include "support/child_program.h"

#include <windows.h>

#include "platform/win32_support/wide_text.h"

namespace pv::testing {

std::string ChildCommand(const std::string& arguments)
{
    wchar_t self[MAX_PATH];
    const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    const std::wstring folder = path.substr(0, path.rfind(L'\\') + 1);
    return "\"" + win32::Utf8(folder) + "pressvale_win32_child.exe\" " + arguments;
}

}  // namespace pv::testing
