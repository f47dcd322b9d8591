#include "ui/win32/main_window.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include <commctrl.h>
#include <windowsx.h>

#include "platform/failure.h"
#include "platform/skin.h"
#include "platform/win32/dialog_keys.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"
#include "platform/window_events.h"
#include "ui/layout/twips.h"
#include "ui/win32/control_window.h"
#include "ui/win32/cursor_loader.h"

namespace pv {

namespace {

constexpr wchar_t kWindowClass[] = L"PressvaleForm1";
// The program's icon in its resource file.
constexpr int kIconResource = 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExtendedStyle = WS_EX_CONTROLPARENT;
// The printer box's drop-down part below its selection field.
constexpr int kDropDownPixels = 200;

void RegisterWindowClass(WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kWindowClass, &windowClass))
        return;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(kIconResource));
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass))
        throw win32::SystemFailure("Cannot register the main window's class", GetLastError());
}

COLORREF Colour(const SkinColour& colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

}  // namespace

void EndProgramNow()
{
    // Nothing is left to save: the one remembered choice was written when it was made.
    std::exit(0);
}

MainWindow::MainWindow(std::function<void()> endProgram) : endProgram_(std::move(endProgram))
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES |
                                                     ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    RegisterWindowClass(windowProcedure);

    RECT outer{0, 0, TwipsToPixels(layout::kClientWidth), TwipsToPixels(layout::kClientHeight)};
    AdjustWindowRectEx(&outer, kWindowStyle, FALSE, kWindowExtendedStyle);
    HWND window = CreateWindowExW(kWindowExtendedStyle, kWindowClass, L"", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), this);
    if (!window)
        throw win32::SystemFailure("Cannot create the main window", GetLastError());
    window_ = win32::OwnedWindow(window);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(layout::kWindowFont)), FALSE);
    createControls();
}

MainWindow::~MainWindow()
{
    // The controls' owners go before the windows they wrap, and the windows before their fonts.
    list_.reset();
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_ = win32::OwnedWindow();
}

void MainWindow::createControls()
{
    for (const layout::Control& entry : layout::MainWindowControls()) {
        HWND control = createControl(entry);
        const layout::Font& font = entry.font ? *entry.font : layout::kWindowFont;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(font)), FALSE);
        controls_.push_back({control, &entry});
    }
}

HWND MainWindow::createControl(const layout::Control& entry)
{
    HWND parent = window_.get();
    switch (entry.kind) {
    case ControlKind::ListView: {
        HWND list = CreateControlWindow(parent, entry, WC_LISTVIEWW,
                                        WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                                        WS_EX_CLIENTEDGE);
        // Screen readers announce the list by its window text.
        SetWindowTextW(list, win32::Wide(entry.accessibleName).c_str());
        list_ = std::make_unique<ListView>(list);
        return list;
    }
    case ControlKind::PushButton: {
        HWND button = CreateControlWindow(parent, entry, WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON);
        SetWindowSubclass(button, buttonProcedure, static_cast<UINT_PTR>(entry.number), reinterpret_cast<DWORD_PTR>(this));
        return button;
    }
    case ControlKind::ProgressBar: {
        HWND bar = CreateControlWindow(parent, entry, PROGRESS_CLASSW, 0);
        progress_ = std::make_unique<ProgressBar>(bar);
        return bar;
    }
    case ControlKind::Frame:
        frame_ = CreateControlWindow(parent, entry, WC_BUTTONW, BS_GROUPBOX);
        return frame_;
    case ControlKind::ComboBox: {
        HWND box = CreateControlWindow(parent, entry, WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
        RECT place{};
        GetWindowRect(box, &place);
        SetWindowPos(box, nullptr, 0, 0, place.right - place.left, place.bottom - place.top + kDropDownPixels,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        combo_ = std::make_unique<ComboBox>(box, [this] {
            if (events_)
                events_->Combo1_Click();
        });
        return box;
    }
    default:
        throw std::logic_error("The main window has no control of this kind");
    }
}

HFONT MainWindow::fontFor(const layout::Font& font)
{
    for (const auto& [described, made] : fonts_) {
        if (described == &font)
            return made.get();
    }
    // Points at 96 pixels to the inch, as the layout's twips are.
    const int height = -static_cast<int>(std::lround(font.points * 96.0 / 72.0));
    HFONT made = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                             win32::Wide(font.face).c_str());
    fonts_.emplace_back(&font, win32::OwnedFont(made));
    return made;
}

void MainWindow::setEvents(MainWindowEvents* events)
{
    events_ = events;
    list_->setEvents(events);
}

void MainWindow::attachFileList(FileList* files)
{
    list_->attach(files);
}

void MainWindow::show()
{
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    UpdateWindow(window_.get());
    SetFocus(controls_.front().window);
}

int MainWindow::run()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        win32::DispatchWithDialogKeys(message);
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(l);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_.valid())
        return DefWindowProcW(window, message, w, l);
    return self->handle(message, w, l);
}

LRESULT CALLBACK MainWindow::buttonProcedure(HWND button, UINT message, WPARAM w, LPARAM l, UINT_PTR number,
                                             DWORD_PTR self)
{
    auto* window = reinterpret_cast<MainWindow*>(self);
    if (message == WM_MOUSEMOVE && window->events_)
        window->events_->PushButton_MouseMove(static_cast<int>(number));
    return DefSubclassProc(button, message, w, l);
}

LRESULT MainWindow::handle(UINT message, WPARAM w, LPARAM l)
{
    HWND window = window_.get();
    switch (message) {
    case WM_COMMAND:
        commanded(LOWORD(w), HIWORD(w));
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(l);
        if (header.idFrom == static_cast<UINT_PTR>(ControlId(0)))
            return list_->notified(header);
        break;
    }
    case WM_MOUSEMOVE:
        mouseMoved({GET_X_LPARAM(l), GET_Y_LPARAM(l)});
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(l) == HTCLIENT) {
            SetCursor(currentCursor());
            return TRUE;
        }
        break;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(w), &client, backgroundFor(window, reinterpret_cast<HDC>(w)));
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(backgroundFor(reinterpret_cast<HWND>(l), reinterpret_cast<HDC>(w)));
    case WM_CLOSE:
        if (events_)
            events_->Form_Unload();
        ShowWindow(window, SW_HIDE);
        if (endProgram_)
            endProgram_();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, w, l);
}

void MainWindow::commanded(int id, int code)
{
    const int index = ControlIndex(id);
    if (index < 0 || index >= controlCount())
        return;
    const layout::Control& entry = *controls_[index].entry;
    if (entry.kind == ControlKind::PushButton && code == BN_CLICKED)
        clicked(entry.number);
    else if (entry.kind == ControlKind::ComboBox && code == CBN_SELCHANGE)
        combo_->selectionChosen();
}

void MainWindow::clicked(int number)
{
    if (!events_)
        return;
    switch (number) {
    case 1: events_->PushButton1_Click(); break;
    case 2: events_->PushButton2_Click(); break;
    case 3: events_->PushButton3_Click(); break;
    case 4: events_->PushButton4_Click(); break;
    case 5: events_->PushButton5_Click(); break;
    case 6: events_->PushButton6_Click(); break;
    default: break;
    }
}

void MainWindow::mouseMoved(POINT at)
{
    if (!events_)
        return;
    // The frame lets the mouse through to the window (a group box is transparent to hits);
    // moves over the printer box inside it go to the box itself.
    RECT frame{};
    GetWindowRect(frame_, &frame);
    MapWindowPoints(nullptr, window_.get(), reinterpret_cast<POINT*>(&frame), 2);
    if (PtInRect(&frame, at))
        events_->Frame1_MouseMove();
    else if (ChildWindowFromPointEx(window_.get(), at, CWP_SKIPINVISIBLE) == window_.get())
        events_->Form_MouseMove();
}

HCURSOR MainWindow::currentCursor() const
{
    switch (pointer_) {
    case PointerKind::Busy: return LoadCursorW(nullptr, IDC_WAIT);
    case PointerKind::Custom:
        if (customCursor_.valid())
            return customCursor_.get();
        break;
    case PointerKind::Default: break;
    }
    return LoadCursorW(nullptr, IDC_ARROW);
}

void MainWindow::refreshCursor() const
{
    // The window under the mouse chooses again, as if the mouse had moved.
    POINT at{};
    GetCursorPos(&at);
    HWND under = WindowFromPoint(at);
    if (under == window_.get() || IsChild(window_.get(), under))
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void MainWindow::setPointer(PointerKind kind)
{
    pointer_ = kind;
    refreshCursor();
}

void MainWindow::loadCustomPointer(const std::string& cursorFile)
{
    try {
        customCursor_ = LoadCursorFile(cursorFile);
    } catch (...) {
        customCursor_ = win32::OwnedCursor();
        refreshCursor();
        throw;
    }
    refreshCursor();
}

void MainWindow::setCaption(const std::string& caption)
{
    SetWindowTextW(window_.get(), win32::Wide(caption).c_str());
}

void MainWindow::setApplicationIcon()
{
    HINSTANCE program = GetModuleHandleW(nullptr);
    const auto load = [program](int metricX, int metricY) {
        return static_cast<HICON>(LoadImageW(program, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                             GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_SHARED));
    };
    HICON big = load(SM_CXICON, SM_CYICON);
    HICON smallIcon = load(SM_CXSMICON, SM_CYSMICON);
    if (!big || !smallIcon)
        throw Failure("Invalid picture", failure_code::kInvalidPicture);
    SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

HBRUSH MainWindow::backgroundFor(HWND control, HDC context)
{
    bool buttonFace = buttonFace_;
    for (const Control& each : controls_) {
        if (each.window == control)
            buttonFace = each.buttonFace;
    }
    SetBkMode(context, TRANSPARENT);
    if (control == frame_ && skinFrameText_)
        SetTextColor(context, *skinFrameText_);
    if (buttonFace)
        return GetSysColorBrush(COLOR_BTNFACE);
    if (skinBackground_.valid())
        return skinBackground_.get();
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void MainWindow::useButtonFaceBackground()
{
    buttonFace_ = true;
    InvalidateRect(window_.get(), nullptr, TRUE);
}

int MainWindow::controlCount() const
{
    return static_cast<int>(controls_.size());
}

const MainWindow::Control& MainWindow::control(int index) const
{
    if (index < 0 || index >= controlCount())
        throw Failure("Subscript out of range", failure_code::kSubscriptOutOfRange);
    return controls_[index];
}

ControlKind MainWindow::controlKind(int index) const
{
    return control(index).entry->kind;
}

void MainWindow::useButtonFaceBackground(int controlIndex)
{
    control(controlIndex);
    controls_[controlIndex].buttonFace = true;
    InvalidateRect(controls_[controlIndex].window, nullptr, TRUE);
}

SizeTwips MainWindow::outerSize() const
{
    RECT outer{};
    GetWindowRect(window_.get(), &outer);
    return {PixelsToTwips(outer.right - outer.left), PixelsToTwips(outer.bottom - outer.top)};
}

SizeTwips MainWindow::screenSize() const
{
    return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN)), PixelsToTwips(GetSystemMetrics(SM_CYSCREEN))};
}

void MainWindow::moveTo(double leftTwips, double topTwips)
{
    SetWindowPos(window_.get(), nullptr, TwipsToPixels(leftTwips), TwipsToPixels(topTwips), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::applySkin(const Skin& skin)
{
    // Standard controls keep the system's look where they draw themselves. The skin colours
    // the window's surface and, when it draws the controls too, the frame's caption and the
    // list's rows; what it leaves unset keeps the system's colours.
    const auto colour = [](const std::optional<SkinColour>& part) -> std::optional<COLORREF> {
        if (!part)
            return std::nullopt;
        return Colour(*part);
    };
    const bool controls = skin.flags.skinControls;
    skinBackground_ = win32::OwnedBrush(skin.window.background ? CreateSolidBrush(Colour(*skin.window.background))
                                                               : nullptr);
    skinFrameText_ = controls ? colour(skin.frame.text) : std::nullopt;
    list_->setColours(controls ? colour(skin.list.background) : std::nullopt,
                      controls ? colour(skin.list.text) : std::nullopt);
    InvalidateRect(window_.get(), nullptr, TRUE);
}

ScreenPoint MainWindow::cursorPosition() const
{
    POINT at{};
    GetCursorPos(&at);
    return {at.x, at.y};
}

}  // namespace pv
