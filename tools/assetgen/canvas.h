#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace pv::assetgen {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

// Colour from 0xRRGGBB, fully opaque unless `alpha` says otherwise.
constexpr Rgba Hex(std::uint32_t rgb, std::uint8_t alpha = 255)
{
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb),
            alpha};
}

struct Point {
    double x = 0;
    double y = 0;
};

// A square RGBA picture (straight alpha, rows from the top) that shapes are painted on with
// 8x8 supersampling, so edges come out smooth at any size. Coordinates are in pixels; the
// pixel (i, j) covers [i, i+1) x [j, j+1).
class Canvas {
public:
    explicit Canvas(int size);

    int size() const { return size_; }
    const Rgba& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * size_ + x)]; }

    // Limits painting to the rows from `top` to `bottom` until the next call.
    void clipRows(double top, double bottom)
    {
        clipTop_ = top;
        clipBottom_ = bottom;
    }

    // A rectangle centred on (cx, cy), turned by `degrees` clockwise, with rounded corners.
    void roundedRect(double cx, double cy, double width, double height, double radius, double degrees, Rgba colour);
    void circle(double cx, double cy, double radius, Rgba colour);
    // A closed polygon (non-zero winding).
    void polygon(const std::vector<Point>& points, Rgba colour);

    // Paints pixel art: one text row per pixel row, starting at (left, top); each character
    // is looked up in `palette` ('.' and unknown characters stay untouched).
    void pixelArt(int left, int top, const std::vector<std::string_view>& rows,
                  const std::function<bool(char, Rgba&)>& palette);

private:
    using Inside = std::function<bool(double, double)>;
    // Blends `colour` over every pixel in proportion to the share of its samples inside.
    void fill(double left, double top, double right, double bottom, const Inside& inside, Rgba colour);
    void blend(int x, int y, Rgba colour, double coverage);

    int size_;
    std::vector<Rgba> pixels_;
    double clipTop_ = -1e9;
    double clipBottom_ = 1e9;
};

}  // namespace pv::assetgen
