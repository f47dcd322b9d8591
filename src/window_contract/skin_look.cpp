#include "window_contract/skin_look.h"

namespace pv {

namespace {

std::optional<SkinPartLook> PartLook(const Skin& skin, const SkinPart& part)
{
    if (!skin.flags.skinControls || part == SkinPart{})
        return std::nullopt;
    SkinPartLook look;
    static_cast<SkinColours&>(look) = part;
    if (!look.hoverBackground)
        look.hoverBackground = part.background;
    look.borderWidth = part.borderWidth.value_or(look.borderWidth);
    look.radius = part.radius.value_or(look.radius);
    look.font = part.font;
    return look;
}

}  // namespace

SkinLook ResolveSkinLook(const Skin& skin)
{
    SkinLook look;
    look.window = {skin.window.background, skin.window.text, skin.window.font};
    look.button = PartLook(skin, skin.button);
    look.list = PartLook(skin, skin.list);
    look.frame = PartLook(skin, skin.frame);
    look.printerBox = PartLook(skin, skin.printerBox);
    look.progress = PartLook(skin, skin.progress);
    look.hoverHighlights = skin.flags.skinControls && skin.flags.hoverHighlights;
    if (skin.flags.skinDialogs)
        look.dialogs = look.window;
    return look;
}

}  // namespace pv
