#include "app/appearance.h"

#include "platform/path_style.h"

namespace pv {
namespace {

bool TakesButtonFace(ControlKind kind)
{
    return kind == ControlKind::OptionButton || kind == ControlKind::CheckBox || kind == ControlKind::Frame ||
           kind == ControlKind::Label;
}

}  // namespace

void ApplyAppearance(FileSystem& fileSystem, WindowSurface& window, SkinFramework& skin,
                     const std::string& programFolder)
{
    const std::string skinFolder = programFolder + kPathSeparator + "x";
    if (fileSystem.list(skinFolder, "o.cjs", ListingFilter{}).empty())
        return;

    window.useButtonFaceBackground();
    for (int i = 0; i < window.controlCount(); ++i) {
        if (TakesButtonFace(window.controlKind(i)))
            window.useButtonFaceBackground(i);
    }
    skin.LoadSkin(skinFolder + kPathSeparator + "o.cjs", "");
    skin.SetOptions(skin.Options() | SkinFramework::kOptionSkinControls);
    skin.SetSwitch(SkinFramework::kSwitchSkinDialogs, true);
    skin.SetSwitch(SkinFramework::kSwitchHoverHighlights, true);
    skin.ApplyWindow(window);
}

void CentreWindow(WindowSurface& window)
{
    const SizeTwips screen = window.screenSize();
    const SizeTwips outer = window.outerSize();
    window.moveTo((screen.width - outer.width) / 2, (screen.height - outer.height) / 2);
}

bool FileExists(FileSystem& fileSystem, const std::string& path)
{
    try {
        return fileSystem.status(path).has_value();
    } catch (...) {
        return false;
    }
}

}  // namespace pv
