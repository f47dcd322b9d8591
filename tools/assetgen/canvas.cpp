#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pv::assetgen {

namespace {

constexpr int kSamples = 8;

}  // namespace

Canvas::Canvas(int size) : size_(size), pixels_(static_cast<std::size_t>(size * size))
{}

void Canvas::roundedRect(double cx, double cy, double width, double height, double radius, double degrees, Rgba colour)
{
    const double angle = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(angle), s = std::sin(angle);
    const double halfW = width / 2, halfH = height / 2;
    const double reach = std::hypot(halfW, halfH);
    fill(
        cx - reach, cy - reach, cx + reach, cy + reach,
        [=](double x, double y) {
            // Into the rectangle's own frame, then the signed distance of a rounded box.
            const double dx = x - cx, dy = y - cy;
            const double lx = std::abs(dx * c + dy * s), ly = std::abs(-dx * s + dy * c);
            const double qx = lx - (halfW - radius), qy = ly - (halfH - radius);
            const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
            return outside + std::min(std::max(qx, qy), 0.0) - radius <= 0;
        },
        colour);
}

void Canvas::circle(double cx, double cy, double radius, Rgba colour)
{
    fill(
        cx - radius, cy - radius, cx + radius, cy + radius,
        [=](double x, double y) { return std::hypot(x - cx, y - cy) <= radius; }, colour);
}

void Canvas::polygon(const std::vector<Point>& points, Rgba colour)
{
    double left = size_, top = size_, right = 0, bottom = 0;
    for (const Point& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    fill(
        left, top, right, bottom,
        [&points](double x, double y) {
            int winding = 0;
            for (std::size_t i = 0; i < points.size(); ++i) {
                const Point& a = points[i];
                const Point& b = points[(i + 1) % points.size()];
                const double side = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
                if (a.y <= y && b.y > y && side > 0)
                    ++winding;
                else if (a.y > y && b.y <= y && side < 0)
                    --winding;
            }
            return winding != 0;
        },
        colour);
}

void Canvas::pixelArt(int left, int top, const std::vector<std::string_view>& rows,
                      const std::function<bool(char, Rgba&)>& palette)
{
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            Rgba colour;
            if (palette(rows[row][column], colour))
                blend(left + static_cast<int>(column), top + static_cast<int>(row), colour, 1.0);
        }
    }
}

void Canvas::fill(double left, double top, double right, double bottom, const Inside& inside, Rgba colour)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(left)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int x1 = std::min(size_ - 1, static_cast<int>(std::ceil(right)));
    const int y1 = std::min(size_ - 1, static_cast<int>(std::ceil(bottom)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            int hits = 0;
            for (int j = 0; j < kSamples; ++j) {
                const double sampleY = y + (j + 0.5) / kSamples;
                if (sampleY < clipTop_ || sampleY > clipBottom_)
                    continue;
                for (int i = 0; i < kSamples; ++i)
                    hits += inside(x + (i + 0.5) / kSamples, sampleY) ? 1 : 0;
            }
            if (hits > 0)
                blend(x, y, colour, static_cast<double>(hits) / (kSamples * kSamples));
        }
    }
}

void Canvas::blend(int x, int y, Rgba colour, double coverage)
{
    if (x < 0 || y < 0 || x >= size_ || y >= size_)
        return;
    Rgba& under = pixels_[static_cast<std::size_t>(y * size_ + x)];
    const double srcA = colour.a / 255.0 * coverage;
    const double dstA = under.a / 255.0;
    const double outA = srcA + dstA * (1 - srcA);
    if (outA <= 0)
        return;
    const auto mix = [&](std::uint8_t src, std::uint8_t dst) {
        const double value = (src * srcA + dst * dstA * (1 - srcA)) / outA;
        return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
    };
    under = {mix(colour.r, under.r), mix(colour.g, under.g), mix(colour.b, under.b),
             static_cast<std::uint8_t>(std::lround(outA * 255))};
}

}  // namespace pv::assetgen
