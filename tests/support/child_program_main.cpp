// A small Windows program that the process and printer tests start. Its first argument says
// what it does; the exit code is its answer:
//   exit N           ends with code N
//   sleep MS N       sleeps MS milliseconds, then ends with code N
//   await PATH N     ends with code N once PATH exists (after twenty seconds at most)
//   show             ends with the show code it was started with (1000 when none was given)
//   text TEXT        ends with 0 when TEXT arrived as "Grüße 日本 \"q\" " and a lone surrogate
//                    (U+D800), else 1
//   default NAME     ends with 0 when NAME is the default printer, else 1
#include <windows.h>
#include <shellapi.h>
#include <winspool.h>

#include <string>

int wmain(int count, wchar_t** arguments)
{
    const std::wstring what = count > 1 ? arguments[1] : L"";
    if (what == L"exit" && count == 3)
        return _wtoi(arguments[2]);
    if (what == L"sleep" && count == 4) {
        Sleep(static_cast<DWORD>(_wtoi(arguments[2])));
        return _wtoi(arguments[3]);
    }
    if (what == L"await" && count == 4) {
        for (int tries = 0; tries < 2000 && GetFileAttributesW(arguments[2]) == INVALID_FILE_ATTRIBUTES; ++tries)
            Sleep(10);
        return _wtoi(arguments[3]);
    }
    if (what == L"show") {
        STARTUPINFOW startup{};
        GetStartupInfoW(&startup);
        return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : 1000;
    }
    if (what == L"text" && count == 3)
        return std::wstring(arguments[2]) == L"Gr\u00fc\u00dfe \u65e5\u672c \"q\" \xD800" ? 0 : 1;
    if (what == L"default" && count == 3) {
        wchar_t name[256];
        DWORD size = 256;
        return GetDefaultPrinterW(name, &size) && std::wstring(name) == arguments[2] ? 0 : 1;
    }
    return 100;
}
