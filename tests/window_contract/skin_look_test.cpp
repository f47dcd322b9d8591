// How a skin is laid over the window's design, decided once for both windows.

#include <optional>

#include <gtest/gtest.h>

#include "window_contract/skin_look.h"

namespace pv {
namespace {

constexpr SkinColour kBack{200, 10, 20};
constexpr SkinColour kHover{4, 5, 6};

// The window's surface always takes the skin; the controls only where it draws them, and only
// the parts it gives something; hover highlights with the controls; the dialogs where it
// reaches them.
TEST(SkinLook, TheFlagsDecideHowFarTheSkinReaches)
{
    Skin skin;
    skin.window.background = SkinColour{1, 2, 3};
    skin.list.background = kBack;
    struct Case {
        SkinFlags flags;
        bool drawsList;
        bool hoverHighlights;
        bool dialogs;
    };
    const Case cases[] = {
        {{}, false, false, false},
        {{.skinDialogs = true, .hoverHighlights = true}, false, false, true},
        {{.skinControls = true}, true, false, false},
        {{.skinControls = true, .skinDialogs = true, .hoverHighlights = true}, true, true, true},
    };
    for (const Case& c : cases) {
        skin.flags = c.flags;
        const SkinLook look = ResolveSkinLook(skin);
        EXPECT_EQ(look.window.background, skin.window.background);
        EXPECT_EQ(look.list.has_value(), c.drawsList);
        EXPECT_FALSE(look.button);
        EXPECT_EQ(look.hoverHighlights, c.hoverHighlights);
        EXPECT_EQ(look.dialogs, c.dialogs ? std::optional(look.window) : std::nullopt);
    }
}

// Under the mouse a part keeps its resting colour unless given one; a press has only the
// skin's own colour; borders are a pixel wide and corners square unless given.
TEST(SkinLook, WhatAPartLeavesUnsetIsResolvedOnce)
{
    Skin skin;
    skin.flags.skinControls = true;
    skin.button.background = kBack;
    skin.list.text = kBack;
    skin.list.hoverBackground = kHover;
    skin.list.borderWidth = 2;
    skin.list.radius = 3;
    const SkinLook look = ResolveSkinLook(skin);
    EXPECT_EQ(look.button->hoverBackground, kBack);
    EXPECT_EQ(look.button->pressedBackground, std::nullopt);
    EXPECT_EQ(look.button->borderWidth, 1);
    EXPECT_EQ(look.button->radius, 0);
    EXPECT_EQ(look.list->background, std::nullopt);
    EXPECT_EQ(look.list->hoverBackground, kHover);
    EXPECT_EQ(look.list->borderWidth, 2);
    EXPECT_EQ(look.list->radius, 3);
}

}  // namespace
}  // namespace pv
