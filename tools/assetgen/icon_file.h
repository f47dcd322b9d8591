#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace pv::assetgen {

// An icon file (.ico, type 1) holding one 32-bit image with mask per canvas, in the order given.
std::string IconFileBytes(const std::vector<const Canvas*>& images);

struct CursorImage {
    const Canvas* image = nullptr;
    int hotX = 0;
    int hotY = 0;
};

// A cursor file (.cur, type 2) holding one 32-bit image with mask and hotspot per entry, in the
// order given.
std::string CursorFileBytes(const std::vector<CursorImage>& images);

}  // namespace pv::assetgen
