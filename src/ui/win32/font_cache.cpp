#include "ui/win32/font_cache.h"

#include <utility>

namespace pv {

void FontCache::beginLayout()
{
    previous_ = std::move(fonts_);
    fonts_.clear();
}

HFONT FontCache::font(const std::wstring& face, int height, bool bold)
{
    for (const MadeFont& made : fonts_) {
        if (made.face == face && made.height == height && made.bold == bold)
            return made.font.get();
    }
    // A font of the last layout that is still wanted is kept.
    for (MadeFont& made : previous_) {
        if (made.face == face && made.height == height && made.bold == bold && made.font.valid()) {
            fonts_.push_back(std::move(made));
            return fonts_.back().font.get();
        }
    }
    HFONT made =
        CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str());
    fonts_.push_back({face, height, bold, win32::OwnedFont(made)});
    return made;
}

void FontCache::endLayout()
{
    previous_.clear();
}

}  // namespace pv
