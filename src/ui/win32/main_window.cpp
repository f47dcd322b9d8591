#include "ui/win32/main_window.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <utility>

#include <commctrl.h>
#include <windowsx.h>

#include "failure/failure.h"
#include "platform/win32_support/callback_boundary.h"
#include "platform/win32_support/dialog_keys.h"
#include "platform/win32_support/system_error.h"
#include "platform/win32_support/wide_text.h"
#include "ui/layout/twips.h"
#include "ui/win32/control_window.h"
#include "ui/win32/cursor_loader.h"
#include "ui/win32/display_scale.h"
#include "window_contract/control_failures.h"
#include "window_contract/window_events.h"

namespace pv {

namespace {

constexpr wchar_t kWindowClass[] = L"PressvaleForm1";

// The control that a notification to the window is about.
HWND NotifyingControl(UINT message, LPARAM l)
{
    switch (message) {
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(l)->hwndFrom;
    case WM_DRAWITEM:
        return reinterpret_cast<const DRAWITEMSTRUCT*>(l)->hwndItem;
    default:  // WM_COMMAND and WM_CTLCOLOR*
        return reinterpret_cast<HWND>(l);
    }
}
// The program's icon in its resource file.
constexpr int kIconResource = 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kWindowExtendedStyle = WS_EX_CONTROLPARENT;
// The printer box's drop-down part below its selection field, in pixels at 96 dots per inch.
constexpr int kDropDownPixels = 200;

void RegisterWindowClass(WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kWindowClass, &windowClass))
        return;
    // No class icon: the window takes the program's own as it is made (GiveProgramIcons).
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass))
        throw win32::SystemFailure("Cannot register the main window's class", GetLastError());
}

// Gives `window` the program's icons at the system's two sizes, unless it has them already
// (they are shared: the same icon is the same handle). Wine converts both icons for the
// display at every change once the window has its X window, so the window takes them as it
// is made, before it has one (at its first message, WM_GETMINMAXINFO, which comes before Wine
// makes the X window and WM_NCCREATE), and the load's setting them again changes nothing.
// Wine then converts them once, as the window is first shown, as it does the default icon of
// a window without any. The icons are loaded once, at the sizes of the window's making. False,
// changing nothing, when an icon cannot be loaded.
bool GiveProgramIcons(HWND window)
{
    using Icons = std::array<std::pair<WPARAM, HICON>, 2>;
    static std::optional<Icons> loaded;
    if (!loaded) {
        HINSTANCE program = GetModuleHandleW(nullptr);
        const auto load = [program](int metricX, int metricY) {
            return static_cast<HICON>(LoadImageW(program, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                                 GetSystemMetrics(metricX), GetSystemMetrics(metricY), LR_SHARED));
        };
        // The small one first: a window given a big icon without a small one makes a small copy
        // of it, which the small icon then replaces.
        const Icons icons{{{ICON_SMALL, load(SM_CXSMICON, SM_CYSMICON)}, {ICON_BIG, load(SM_CXICON, SM_CYICON)}}};
        for (const auto& [size, icon] : icons) {
            if (!icon)
                return false;
        }
        loaded = icons;
    }
    for (const auto& [size, icon] : *loaded) {
        if (reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, size, 0)) != icon)
            SendMessageW(window, WM_SETICON, size, reinterpret_cast<LPARAM>(icon));
    }
    return true;
}

// Where `entry` goes at the dots per inch of `look`, in pixels in the window; the printer box's
// place takes in its drop-down part.
RECT PlaceAt(const layout::Control& entry, const WindowLook& look)
{
    const layout::PlaceTwips at = layout::PlaceInWindow(entry);
    const int left = TwipsToPixels(at.left, look.dpi);
    const int top = TwipsToPixels(at.top, look.dpi);
    const int extra = entry.kind == ControlKind::ComboBox ? look.scaled(kDropDownPixels) : 0;
    return {left, top, left + TwipsToPixels(at.width, look.dpi), top + TwipsToPixels(at.height, look.dpi) + extra};
}

// Where the load centres a window of the size `outer` at `dpi` (CentreWindow: half the screen
// less half the window, in twips), so that the window can be made there and the load's move
// find it in place.
POINT CentredPlace(SIZE outer, int dpi)
{
    const auto centred = [dpi](int screen, int size) {
        return TwipsToPixels((PixelsToTwips(screen, dpi) - PixelsToTwips(size, dpi)) / 2, dpi);
    };
    return {centred(GetSystemMetrics(SM_CXSCREEN), outer.cx), centred(GetSystemMetrics(SM_CYSCREEN), outer.cy)};
}

SIZE OuterSize(int dpi)
{
    return OuterSizeForClient(TwipsToPixels(layout::kClientWidth, dpi), TwipsToPixels(layout::kClientHeight, dpi),
                              kWindowStyle, kWindowExtendedStyle, dpi);
}

}  // namespace

MainWindow::MainWindow()
{
    INITCOMMONCONTROLSEX classes{sizeof classes,
                                 ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    RegisterWindowClass(windowProcedure);

    // The window is made where the load will centre it, rather than moved there while hidden.
    const SIZE standard = OuterSize(kStandardDpi);
    const POINT place = CentredPlace(standard, kStandardDpi);
    HWND window = CreateWindowExW(kWindowExtendedStyle, kWindowClass, L"", kWindowStyle, place.x, place.y, standard.cx,
                                  standard.cy, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!window)
        throw win32::SystemFailure("Cannot create the main window", GetLastError());
    window_ = win32::OwnedWindow(window);
    // The window is made for the display it will show on, and its controls in their places
    // for it, so that the layout below only gives them their fonts.
    look_.dpi = WindowDpi(window);
    if (look_.dpi != kStandardDpi) {
        const SIZE outer = OuterSize(look_.dpi);
        SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    createControls();
    refreshLook();
    layOut(look_.dpi);
}

MainWindow::~MainWindow()
{
    // A close has destroyed the window and every control in it already (DestroyWindow in
    // WM_CLOSE). Otherwise the window goes here, without the procedures of a close (no quit
    // message), and takes its controls with it. Either way each control's owner let go of its
    // control's window as it was destroyed, so the owners go after the windows harmlessly; the
    // windows go before their fonts.
    if (!window_.valid())
        return;
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_ = win32::OwnedWindow();
}

void MainWindow::createControls()
{
    for (const layout::Control& entry : layout::MainWindowControls()) {
        SubclassedControl& control = createControl(entry);
        control.setAccessibleName(entry.accessibleName);
        controls_.push_back({control.handle(), &control, &entry});
    }
}

SubclassedControl& MainWindow::createControl(const layout::Control& entry)
{
    HWND parent = window_.get();
    const RECT place = PlaceAt(entry, look_);
    switch (entry.kind) {
    case ControlKind::ListView: {
        HWND list = CreateControlWindow(parent, entry, place, WC_LISTVIEWW,
                                        WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                                        WS_EX_CLIENTEDGE);
        SetWindowTextW(list, win32::Wide(entry.accessibleName).c_str());
        list_ = std::make_unique<ListView>(list, look_);
        return *list_;
    }
    case ControlKind::PushButton: {
        HWND button = CreateControlWindow(parent, entry, place, WC_BUTTONW, WS_TABSTOP | BS_OWNERDRAW);
        const int number = entry.number;
        buttons_.push_back(std::make_unique<PushButton>(
            button, look_,
            [this, number] {
                if (events_)
                    events_->PushButton_MouseMove(number);
            },
            [this, number] {
                if (events_)
                    ClickPushButton(*events_, number);
            }));
        return *buttons_.back();
    }
    case ControlKind::ProgressBar: {
        HWND bar = CreateControlWindow(parent, entry, place, PROGRESS_CLASSW, 0);
        progress_ = std::make_unique<ProgressBar>(bar, look_);
        return *progress_;
    }
    case ControlKind::Frame:
        frame_ = std::make_unique<Frame>(CreateControlWindow(parent, entry, place, WC_BUTTONW, BS_GROUPBOX), look_);
        return *frame_;
    case ControlKind::ComboBox: {
        HWND box =
            CreateControlWindow(parent, entry, place, WC_COMBOBOXW,
                                WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
        combo_ = std::make_unique<ComboBox>(box, look_, [this] {
            if (events_)
                events_->Combo1_Click();
        });
        return *combo_;
    }
    default:
        throw std::logic_error("The main window has no control of this kind");
    }
}

void MainWindow::layOut(int previousDpi)
{
    const int dpi = look_.dpi;
    // The controls move only when the scale has changed: they were made in their places.
    const bool moves = dpi != previousDpi;
    // The fonts in use stay alive until every control has its new one.
    fonts_.beginLayout();
    SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(layout::kWindowFont, {})), FALSE);
    for (Control& each : controls_) {
        const layout::Control& entry = *each.entry;
        if (moves) {
            const RECT place = PlaceAt(entry, look_);
            SetWindowPos(each.window, nullptr, place.left, place.top, place.right - place.left,
                         place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        // A control whose font stays is spared the measuring a new font brings. Only the layout
        // gives the controls fonts, so the one it gave last is the control's.
        const layout::Font& font = entry.font ? *entry.font : layout::kWindowFont;
        HFONT chosen = fontFor(font, look_.part(entry.kind).font);
        const bool fontChanges = chosen != each.font;
        if (fontChanges) {
            SendMessageW(each.window, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
            each.font = chosen;
        }
        if (entry.kind == ControlKind::ComboBox && (fontChanges || moves))
            combo_->setClosedHeight(TwipsToPixels(layout::PlaceInWindow(entry).height, dpi));
    }
    fonts_.endLayout();
    // The list scales its columns; its look is refreshed with the window's otherwise.
    if (moves)
        list_->lookChanged(previousDpi);
    InvalidateRect(window_.get(), nullptr, TRUE);
}

HFONT MainWindow::fontFor(const layout::Font& font, const SkinFont& skin)
{
    const std::wstring face = win32::Wide(skin.family.value_or(font.face));
    const int height = FontHeight(skin.pointSize.value_or(font.points), look_.dpi);
    return fonts_.font(face, height, skin.bold.value_or(font.bold));
}

void MainWindow::refreshLook()
{
    const int dpi = look_.dpi;
    bool buttonFaceFrame = false;
    for (const Control& each : controls_)
        buttonFaceFrame = buttonFaceFrame || (each.entry->kind == ControlKind::Frame && each.buttonFace);
    const WindowLook design = DesignLook(buttonFace_, buttonFaceFrame);
    look_ = skin_ ? SkinnedLook(design, *skin_) : design;
    look_.dpi = dpi;
    windowBrush_ = win32::OwnedBrush(CreateSolidBrush(look_.window));
    messageBoxColours_.set(look_.dialogBackground, look_.dialogText);
    if (list_)
        list_->lookChanged(dpi);
    RedrawWindow(window_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
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
    // A failure kept at a callback comes out of the dispatch; no procedure runs here to take
    // it, so it is passed over and the window goes on.
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        PassOverFailures([&] { win32::DispatchWithDialogKeys(message); });
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    // The window's first message, sent as it is made and before WM_NCCREATE gives it its
    // owner, or the last one before WM_NCCREATE (where no WM_GETMINMAXINFO comes first); the
    // second giving changes nothing.
    if ((message == WM_GETMINMAXINFO && !GetWindowLongPtrW(window, GWLP_USERDATA)) || message == WM_NCCREATE)
        GiveProgramIcons(window);
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(l);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_.valid())
        return DefWindowProcW(window, message, w, l);
    if (message == WM_NCDESTROY) {
        // The window's last message: the object may outlive it, and forgets it.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_.release();
        return DefWindowProcW(window, message, w, l);
    }
    return win32::AtCallbackBoundary([&] { return self->onMessage(message, w, l); },
                                     [&] { return DefWindowProcW(window, message, w, l); });
}

LRESULT MainWindow::onMessage(UINT message, WPARAM w, LPARAM l)
{
    HWND window = window_.get();
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        // Each control answers what the window is told about it.
        for (const Control& each : controls_) {
            if (each.window != NotifyingControl(message, l))
                continue;
            if (const std::optional<LRESULT> answer = each.control->notified(message, w, l))
                return *answer;
        }
        if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
            SetBkMode(reinterpret_cast<HDC>(w), TRANSPARENT);
            return reinterpret_cast<LRESULT>(windowBrush_.get());
        }
        if (message == WM_NOTIFY)
            break;
        return message == WM_DRAWITEM ? TRUE : 0;
    case WM_MEASUREITEM: {
        // The printer box's entries, until the box takes its height from the layout.
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(l);
        item.itemHeight = static_cast<UINT>(-FontHeight(layout::kWindowFont.points, look_.dpi) + look_.scaled(4));
        return TRUE;
    }
    case WM_ACTIVATE:
        activated(LOWORD(w) != WA_INACTIVE);
        return 0;
    case WM_SETFOCUS:
        activated(true);
        return 0;
    case WM_DPICHANGED: {
        const int previous = look_.dpi;
        look_.dpi = HIWORD(w);
        const auto& suggested = *reinterpret_cast<const RECT*>(l);
        SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        layOut(previous);
        return 0;
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
        FillRect(reinterpret_cast<HDC>(w), &client, windowBrush_.get());
        return 1;
    }
    case WM_CLOSE:
        if (events_)
            events_->Form_Unload();
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Windows ends the process as soon as this returns, before anything can unwind.
        if (w && events_)
            events_->ProgramEndsNow();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, w, l);
}

void MainWindow::activated(bool active)
{
    HWND window = window_.get();
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus))
            focused_ = focus;
        return;
    }
    if (!focused_ || !IsWindow(focused_) || !IsChild(window, focused_))
        focused_ = controls_.front().window;
    SetFocus(focused_);
}

void MainWindow::mouseMoved(POINT at)
{
    if (!events_)
        return;
    // The frame lets the mouse through to the window (a group box is transparent to hits);
    // moves over the printer box inside it go to the box itself.
    RECT frame{};
    GetWindowRect(frame_->handle(), &frame);
    MapWindowPoints(nullptr, window_.get(), reinterpret_cast<POINT*>(&frame), 2);
    if (PtInRect(&frame, at))
        events_->Frame1_MouseMove();
    else if (ChildWindowFromPointEx(window_.get(), at, CWP_SKIPINVISIBLE) == window_.get())
        events_->Form_MouseMove();
}

HCURSOR MainWindow::currentCursor() const
{
    switch (pointer_) {
    case PointerKind::Busy:
        return LoadCursorW(nullptr, IDC_WAIT);
    case PointerKind::Custom:
        if (customCursor_.valid())
            return customCursor_.get();
        break;
    case PointerKind::Default:
        break;
    }
    return LoadCursorW(nullptr, IDC_ARROW);
}

void MainWindow::setPointer(PointerKind kind)
{
    pointer_ = kind;
    ShowPointerAgain(window_.get());
}

void MainWindow::loadCustomPointer(const std::string& cursorFile)
{
    try {
        customCursor_ = LoadCursorFile(cursorFile);
    } catch (...) {
        customCursor_ = win32::OwnedCursor();
        ShowPointerAgain(window_.get());
        throw;
    }
    ShowPointerAgain(window_.get());
}

void MainWindow::setCaption(const std::string& caption)
{
    SetWindowTextW(window_.get(), win32::Wide(caption).c_str());
}

void MainWindow::setApplicationIcon()
{
    if (!GiveProgramIcons(window_.get()))
        ThrowInvalidPicture();
}

void MainWindow::useButtonFaceBackground()
{
    buttonFace_ = true;
    refreshLook();
}

int MainWindow::controlCount() const
{
    return static_cast<int>(controls_.size());
}

const MainWindow::Control& MainWindow::control(int index) const
{
    CheckControlIndex(index, controlCount());
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
    refreshLook();
}

SizeTwips MainWindow::outerSize() const
{
    RECT outer{};
    GetWindowRect(window_.get(), &outer);
    return {PixelsToTwips(outer.right - outer.left, look_.dpi), PixelsToTwips(outer.bottom - outer.top, look_.dpi)};
}

SizeTwips MainWindow::screenSize() const
{
    return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), look_.dpi),
            PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), look_.dpi)};
}

void MainWindow::moveTo(double leftTwips, double topTwips)
{
    const int left = TwipsToPixels(leftTwips, look_.dpi);
    const int top = TwipsToPixels(topTwips, look_.dpi);
    // A window already in place is not moved (the window is made where the load centres it).
    RECT outer{};
    if (GetWindowRect(window_.get(), &outer) && outer.left == left && outer.top == top)
        return;
    SetWindowPos(window_.get(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::applySkin(const Skin& skin)
{
    skin_ = ResolveSkinLook(skin);
    refreshLook();
    // The controls take the fonts the skin gives them.
    layOut(look_.dpi);
}

ScreenPoint MainWindow::cursorPosition() const
{
    POINT at{};
    GetCursorPos(&at);
    return {at.x, at.y};
}

}  // namespace pv
