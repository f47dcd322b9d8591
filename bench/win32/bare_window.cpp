// A bare Win32 window with the same standard controls as the program's window, its printer box
// filled from the installed printers and the default printer, and nothing else: the reference
// the program's start-up is measured against.

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <vector>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, w, l);
}

HWND Child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, RECT place)
{
    return CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top, place.right,
                           place.bottom, parent, nullptr, nullptr, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassW(&windowClass);
    RECT outer{0, 0, 536, 368};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&outer, style, FALSE);
    HWND window = CreateWindowW(L"BareWindow", L"Bare", style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                                outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    HFONT buttonFont = CreateFontW(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");

    HWND list = Child(window, WC_LISTVIEWW, L"", LVS_REPORT | WS_BORDER, {8, 42, 520, 121});
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"PDF Files");
    column.cx = 467;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    const struct {
        const wchar_t* text;
        RECT place;
    } buttons[] = {{L"Add PDF File(s)", {8, 169, 256, 27}},
                   {L"Add All PDF File(s) In Folder", {272, 169, 256, 27}},
                   {L"Clear List", {8, 203, 256, 27}},
                   {L"Load Sample/Example Files", {272, 203, 256, 27}},
                   {L"Help", {8, 8, 520, 27}},
                   {L"Start Printing", {8, 297, 520, 27}}};
    for (const auto& button : buttons)
        SendMessageW(Child(window, WC_BUTTONW, button.text, BS_PUSHBUTTON, button.place), WM_SETFONT,
                     reinterpret_cast<WPARAM>(buttonFont), FALSE);
    Child(window, PROGRESS_CLASSW, L"", 0, {8, 332, 520, 27});
    SendMessageW(Child(window, WC_BUTTONW, L"Select Printer", BS_GROUPBOX, {8, 234, 520, 55}), WM_SETFONT,
                 reinterpret_cast<WPARAM>(font), FALSE);
    HWND box = Child(window, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL, {24, 254, 488, 223});
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<BYTE> printers(needed);
    if (EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, printers.data(), needed, &needed,
                      &count)) {
        for (DWORD i = 0; i < count; ++i)
            SendMessageW(box, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(reinterpret_cast<PRINTER_INFO_4W*>(printers.data())[i].pPrinterName));
    }
    wchar_t standard[256]{};
    DWORD length = 256;
    if (GetDefaultPrinterW(standard, &length))
        SendMessageW(box, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(standard));

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
