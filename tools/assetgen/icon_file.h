#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace pv::assetgen {

// An icon file (.ico, type 1) holding one 32-bit image with mask per canvas, in the order given.
std::string IconFileBytes(const std::vector<const Canvas*>& images);

// A cursor file (.cur, type 2) holding one image whose hotspot is (hotX, hotY).
std::string CursorFileBytes(const Canvas& image, int hotX, int hotY);

}  // namespace pv::assetgen
