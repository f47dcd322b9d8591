#include "app/appearance.h"

#include <algorithm>
#include <vector>

#include "services/path_style.h"

namespace pv {
namespace {

const std::string kSkinName = "o.cjs";

// The skin file the look-up finds in `skinFolder`, or an empty name. The look-up ignores
// letter case, so where the file system tells case apart the name found (say "O.CJS") is
// the one to load; when several names differ only in case the exact one is preferred.
std::string FindSkinName(FileSystem& fileSystem, const std::string& skinFolder)
{
    const std::vector<std::string> found = fileSystem.list(skinFolder, kSkinName, ListingFilter{});
    if (found.empty())
        return {};
    return std::find(found.begin(), found.end(), kSkinName) != found.end() ? kSkinName : found.front();
}

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
    const std::string skinName = FindSkinName(fileSystem, skinFolder);
    if (skinName.empty())
        return;

    window.useButtonFaceBackground();
    for (int i = 0; i < window.controlCount(); ++i) {
        if (TakesButtonFace(window.controlKind(i)))
            window.useButtonFaceBackground(i);
    }
    skin.LoadSkin(skinFolder + kPathSeparator + skinName, "");
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
