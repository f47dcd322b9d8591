#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "platform/win32_support/owned.h"

namespace pv {

// The fonts the window's controls use, each face, height and weight made once. A new layout
// asks for every font again between `beginLayout` and `endLayout`: the fonts it still wants
// are kept, the others deleted at its end, once every control has its new one.
class FontCache {
public:
    void beginLayout();
    HFONT font(const std::wstring& face, int height, bool bold);
    void endLayout();

private:
    struct MadeFont {
        std::wstring face;
        int height;
        bool bold;
        win32::OwnedFont font;
    };

    std::vector<MadeFont> fonts_;
    std::vector<MadeFont> previous_;  // while the controls are laid out again
};

}  // namespace pv
