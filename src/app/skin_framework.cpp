#include "app/skin_framework.h"

#include "app/skin_file.h"
#include "failure/failure.h"

namespace pv {

void SkinFramework::LoadSkin(const std::string& path, const std::string& /*iniFileName*/)
{
    const std::optional<std::string> text = fileSystem_.readFile(path, kMaxSkinFileBytes);
    if (!text)
        throw Failure("The skin file \"" + path + "\" cannot be read or is larger than 1 MiB",
                      failure_code::kFileNotFound);
    skin_ = ParseSkin(*text);
}

void SkinFramework::SetSwitch(int id, bool on)
{
    if (id == kSwitchSkinDialogs)
        skinDialogs_ = on;
    else if (id == kSwitchHoverHighlights)
        hoverHighlights_ = on;
    else
        throw Failure("The skin engine has no switch " + std::to_string(id), failure_code::kInvalidProcedureCall);
}

void SkinFramework::ApplyWindow(WindowSurface& window) const
{
    if (!skin_)
        throw Failure("No skin has been loaded", failure_code::kInvalidProcedureCall);
    Skin skin = *skin_;
    skin.flags.skinControls = (options_ & kOptionSkinControls) != 0;
    skin.flags.skinDialogs = skinDialogs_;
    skin.flags.hoverHighlights = hoverHighlights_;
    window.applySkin(skin);
}

}  // namespace pv
