#pragma once

#include <string>

#include "canvas.h"

namespace pv::assetgen {

// A PNG file (8-bit RGBA) of the canvas, compressed with our own deflate.
std::string PngFileBytes(const Canvas& image);

}  // namespace pv::assetgen
