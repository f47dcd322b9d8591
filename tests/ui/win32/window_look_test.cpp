// What the Win32 window shows: every part in the design's or the skin's colours, the layout and
// fonts at the display's scale, and every control's accessible name.

#include <windows.h>

#include <cmath>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/win32_support/wide_text.h"
#include "ui/layout/twips.h"
#include "window_fixture.h"

namespace pv {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
// A part that keeps the system's own drawing without a skin.
constexpr COLORREF kSystemLook = CLR_INVALID;

SkinPart Part(std::uint8_t shade)
{
    // Each part in colours of its own, so that a pixel tells which part drew it.
    SkinPart part;
    part.background = SkinColour{shade, 10, 20};
    part.text = SkinColour{0, 0, 0};
    part.border = SkinColour{0, 0, shade};
    part.hoverBackground = SkinColour{shade, 200, 20};
    part.selection = SkinColour{shade, 10, 200};
    part.selectionText = SkinColour{255, 255, 255};
    part.radius = 3;
    return part;
}

COLORREF Background(const SkinPart& part)
{
    return RGB(part.background->red, part.background->green, part.background->blue);
}

COLORREF Selection(const SkinPart& part)
{
    return RGB(part.selection->red, part.selection->green, part.selection->blue);
}

TEST_F(Win32MainWindowTest, EveryPartTakesTheDesignColoursWithoutASkinAndTheSkinsWithIt)
{
    addRows({"C:\\a.pdf"});
    window.listView().selectRow(1);
    window.progressBar().setValue(50);
    RECT bar{};
    GetClientRect(child("ProgressBar1"), &bar);
    RECT box{};
    GetClientRect(combo(), &box);
    RECT frame{};
    GetClientRect(child("Frame1"), &frame);
    RECT listArea{};
    GetClientRect(list(), &listArea);
    const POINT row = rowCentre(1);
    HWND header = ListView_GetHeader(list());
    RECT headerArea{};
    GetClientRect(header, &headerArea);

    Skin skin;
    skin.window = Part(30);
    skin.button = Part(60);
    skin.list = Part(90);
    skin.frame = Part(120);
    skin.printerBox = Part(150);
    skin.progress = Part(180);
    skin.flags = {true, true, true};
    struct Place {
        const char* what;
        HWND control;
        POINT at;
        COLORREF design;
        COLORREF skinned;
    };
    const Place places[] = {
        {"window", window.handle(), {3, 3}, kWhite, Background(skin.window)},
        {"button", child("PushButton4"), {6, 6}, kWhite, Background(skin.button)},
        {"frame", child("Frame1"), {10, frame.bottom - 6}, kWhite, Background(skin.frame)},
        {"printer box", combo(), {4, box.bottom / 2}, GetSysColor(COLOR_WINDOW), Background(skin.printerBox)},
        {"list", list(), {10, listArea.bottom - 4}, GetSysColor(COLOR_WINDOW), Background(skin.list)},
        {"selected row", list(), {3, row.y}, GetSysColor(COLOR_HIGHLIGHT), Selection(skin.list)},
        {"list header", header, {2, 3}, kSystemLook, Background(skin.window)},
        {"header past the column", header, {headerArea.right - 3, 3}, kSystemLook, Background(skin.window)},
        {"progress bar", child("ProgressBar1"), {bar.right - 5, bar.bottom / 2}, kWhite, Background(skin.progress)},
        {"progress",
         child("ProgressBar1"),
         {5, bar.bottom / 2},
         GetSysColor(COLOR_HIGHLIGHT),
         Selection(skin.progress)},
    };
    SetFocus(list());
    for (const Place& place : places) {
        if (place.design != kSystemLook) {
            EXPECT_EQ(pixel(place.control, place.at), place.design) << place.what << " without a skin";
        }
    }
    window.applySkin(skin);
    for (const Place& place : places)
        EXPECT_EQ(pixel(place.control, place.at), place.skinned) << place.what << " with the skin";

    // A button under the pointer lights up.
    moveTo(child("PushButton4"), {6, 6});
    EXPECT_EQ(pixel(child("PushButton4"), {6, 6}), RGB(60, 200, 20));
}

TEST_F(Win32MainWindowTest, MessageBoxesTakeTheSkinsWindowColoursWhenTheSkinReachesDialogs)
{
    Skin skin;
    skin.window = Part(30);
    for (const bool skinDialogs : {false, true}) {
        skin.flags.skinDialogs = skinDialogs;
        window.applySkin(skin);
        COLORREF shown = CLR_INVALID;
        std::thread reader([&shown, thread = GetCurrentThreadId()] {
            HWND box = waitForBox(thread);
            shown = box ? pixel(box, {2, 2}) : CLR_INVALID;
            key(VK_RETURN);
        });
        MessageBoxW(window.handle(), L"Done.", L"Pressvale", MB_OK);
        reader.join();
        if (skinDialogs)
            EXPECT_EQ(shown, Background(skin.window));
        else
            EXPECT_EQ(shown, GetSysColor(COLOR_BTNFACE));
    }
}

TEST_F(Win32MainWindowTest, AChangeOfScaleLaysOutTheControlsAndTheirFontsAgain)
{
    for (const int dpi : {144, 120, 96}) {
        RECT outer{};
        GetWindowRect(window.handle(), &outer);
        RECT suggested{outer.left, outer.top, outer.left + MulDiv(outer.right - outer.left, dpi, 96),
                       outer.top + MulDiv(outer.bottom - outer.top, dpi, 96)};
        SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        for (const layout::Control& entry : layout::MainWindowControls()) {
            RECT place{};
            GetWindowRect(child(entry.name), &place);
            MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&place), 2);
            const layout::PlaceTwips at = layout::PlaceInWindow(entry);
            const RECT expected{TwipsToPixels(at.left, dpi), TwipsToPixels(at.top, dpi),
                                TwipsToPixels(at.left + at.width, dpi), TwipsToPixels(at.top + at.height, dpi)};
            EXPECT_NEAR(place.left, expected.left, 1) << entry.name << " at " << dpi;
            EXPECT_NEAR(place.top, expected.top, 1) << entry.name << " at " << dpi;
            EXPECT_NEAR(place.right, expected.right, 1) << entry.name << " at " << dpi;
            EXPECT_NEAR(place.bottom, expected.bottom, 1) << entry.name << " at " << dpi;
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child(entry.name), WM_GETFONT, 0, 0)), sizeof font, &font);
            const layout::Font& described = entry.font ? *entry.font : layout::kWindowFont;
            EXPECT_EQ(font.lfHeight, -std::lround(described.points * dpi / 72)) << entry.name << " at " << dpi;
        }
    }
}

}  // namespace
}  // namespace pv
