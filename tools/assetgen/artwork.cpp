#include "artwork.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace pv::assetgen {

namespace {

constexpr Rgba kOutline = Hex(0x1E293B);
constexpr Rgba kPaper = Hex(0xFFFFFF);
constexpr Rgba kPaperEdge = Hex(0x94A3B8);
constexpr Rgba kBlue = Hex(0x2563EB);
constexpr Rgba kDeepBlue = Hex(0x1E3A8A);
constexpr Rgba kPaleBlue = Hex(0x93C5FD);

// Points drawn on a grid of `scale` pixels per unit.
std::vector<Point> Scaled(std::vector<Point> points, double scale)
{
    for (Point& p : points)
        p = {p.x * scale, p.y * scale};
    return points;
}

constexpr Rgba kHandOutline = Hex(0x000000);
constexpr Rgba kHandFill = Hex(0xFFFFFF);
constexpr Rgba kHandShade = Hex(0xB8C2CC);

// The hand at 32 pixels, drawn pixel by pixel so that its one-pixel outline stays crisp.
Canvas PixelHand()
{
    // K outline, W fill, G a soft shade along the knuckles; the fingertip is (7, 0).
    static const std::vector<std::string_view> kHand = {
        "......KKK...........",  ".....KWWWK..........",  ".....KWWWK..........",  ".....KWWWK..........",
        ".....KWWWK..........",  ".....KWWWK..........",  ".....KWWWK..........",  ".....KWWWKKKK.......",
        ".....KWWWKWWWK......",  ".....KWWWKWWWKKKK...",  ".....KWWWKWWWKWWWK..",  ".....KWWWKWWWKWWWKKK",
        ".KK..KWWWKWWWKWWWKWWK", "KWWK.KWWWKWWWKWWWKWWK", "KWWWKKWWWGWWWGWWWGWWK", ".KWWWKWWWWWWWWWWWWWWK",
        ".KWWWWWWWWWWWWWWWWWWK", "..KWWWWWWWWWWWWWWWWWK", "..KWWWWWWWWWWWWWWWWK.", "...KWWWWWWWWWWWWWWWK.",
        "...KWWWWWWWWWWWWWWWK.", "....KWWWWWWWWWWWWWK..", "....KWWWWWWWWWWWWWK..", ".....KWWWWWWWWWWWK...",
        ".....KKKKKKKKKKKKK...",
    };
    Canvas canvas(32);
    canvas.pixelArt(0, 0, kHand, [](char c, Rgba& colour) {
        switch (c) {
        case 'K':
            colour = kHandOutline;
            return true;
        case 'W':
            colour = kHandFill;
            return true;
        case 'G':
            colour = kHandShade;
            return true;
        default:
            return false;
        }
    });
    return canvas;
}

// The same hand as shapes on the 32-pixel grid of the pixel drawing, for larger sizes: fingers
// with round tips, the thumb, the palm narrowing to the wrist. Outlines first, then the white
// one grid unit inside them, then the shade between the knuckles.
Canvas ShapedHand(int size)
{
    const double s = size / 32.0;
    Canvas canvas(size);
    // A finger from `top` down into the palm, whose white starts at 14.
    const auto finger = [&](double left, double right, double top, double inset, Rgba colour) {
        const double width = right - left - 2 * inset;
        const double fingerTop = top + inset;
        canvas.roundedRect((left + right) / 2 * s, (fingerTop + 15) / 2 * s, width * s, (15 - fingerTop) * s,
                           width / 2 * s, 0, colour);
    };
    const auto hand = [&](double inset, Rgba colour) {
        finger(5, 10, 0, inset, colour);
        finger(9, 14, 7, inset, colour);
        finger(13, 18, 9, inset, colour);
        finger(17, 21, 11, inset, colour);
        canvas.roundedRect(3.4 * s, 16.2 * s, (4.4 - 2 * inset) * s, (9 - 2 * inset) * s, (2.2 - inset) * s, -34,
                           colour);
    };
    hand(0, kHandOutline);
    canvas.polygon(Scaled({{5, 14}, {21, 14}, {21, 17.5}, {18, 25}, {5, 25}, {1.2, 17}, {1.2, 15}}, s), kHandOutline);
    hand(1, kHandFill);
    canvas.polygon(Scaled({{6, 14}, {20, 14}, {20, 17.3}, {17.3, 24}, {5.7, 24}, {2.2, 16.6}, {2.2, 16}, {6, 16}}, s),
                   kHandFill);
    for (const double knuckle : {9, 13, 17})
        canvas.roundedRect((knuckle + 0.5) * s, 14.5 * s, s, s, 0, 0, kHandShade);
    return canvas;
}

}  // namespace

Canvas HandCursor(int size)
{
    return size == 32 ? PixelHand() : ShapedHand(size);
}

Canvas DragIcon(int size)
{
    // Drawn on a 32-pixel grid.
    const double s = size / 32.0;
    Canvas canvas(size);
    // A page with a folded corner: outline first, then the paper one unit inside it.
    canvas.polygon(Scaled({{3, 2}, {15, 2}, {21, 8}, {21, 28}, {3, 28}}, s), kOutline);
    canvas.polygon(Scaled({{4, 3}, {14.6, 3}, {20, 8.4}, {20, 27}, {4, 27}}, s), kPaper);
    canvas.polygon(Scaled({{14, 2}, {15, 2}, {21, 8}, {21, 9}, {14, 9}}, s), kOutline);
    canvas.polygon(Scaled({{15, 3.4}, {19.6, 8}, {15, 8}}, s), Hex(0xE2E8F0));
    for (int row = 0; row < 5; ++row) {
        const double width = row == 0 ? 7 : (row == 4 ? 8 : 12);
        canvas.roundedRect((7 + width / 2) * s, (12.5 + row * 3) * s, width * s, s, 0, 0,
                           row == 0 ? kBlue : kPaperEdge);
    }
    // The up-and-down arrow, white-edged so that it shows on dark rows too.
    const std::vector<Point> arrow = {{25, 4},  {30.5, 10}, {27, 10}, {27, 22}, {30.5, 22},
                                      {25, 28}, {19.5, 22}, {23, 22}, {23, 10}, {19.5, 10}};
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            std::vector<Point> halo;
            for (const Point& p : arrow)
                halo.push_back({(p.x + dx) * s, (p.y + dy) * s});
            canvas.polygon(halo, kPaper);
        }
    }
    canvas.polygon(Scaled(arrow, s), kBlue);
    return canvas;
}

Canvas ApplicationIcon(int size)
{
    // Drawn on a 256-unit grid whose main edges fall on multiples of 16, so that the small
    // sizes stay sharp; below 32 pixels the tilt, shadow and text lines are left out.
    Canvas canvas(size);
    const double s = size / 256.0;
    const bool detailed = size >= 32;
    const double tilt = detailed ? 1 : 0;
    // Outlines never thinner than one pixel.
    const double edge = std::max(3.0, 1.0 / s);
    const auto rect = [&](double left, double top, double right, double bottom, double radius, double degrees,
                          Rgba colour) {
        canvas.roundedRect((left + right) / 2 * s, (top + bottom) / 2 * s, (right - left) * s, (bottom - top) * s,
                           radius * s, degrees * tilt, colour);
    };
    const auto sheet = [&](double left, double top, double right, double bottom, double degrees) {
        rect(left - edge, top - edge, right + edge, bottom + edge, 6 + edge, degrees, kPaperEdge);
        rect(left, top, right, bottom, 6, degrees, kPaper);
    };
    const auto rows = [&](double top, double bottom) { canvas.clipRows(top * s, bottom * s); };

    // The stack of pages waiting behind the printer; at small sizes a single, shorter page.
    if (detailed) {
        sheet(64, 16, 176, 128, -8);
        sheet(80, 32, 192, 128, 4);
    } else {
        sheet(64, 48, 192, 128, 0);
    }
    if (detailed) {
        for (int line = 0; line < 3; ++line)
            rect(100, 50 + line * 16, line == 2 ? 146 : 172, 58 + line * 16, 4, 4, kPaleBlue);
        rect(24, 106, 248, 204, 32, 0, Hex(0x0F172A, 60));
    }

    // The printer body in three bands: a light lid, the body, a darker base.
    rows(0, 128);
    rect(16, 96, 240, 192, 32, 0, Hex(0x3B82F6));
    rows(128, 160);
    rect(16, 96, 240, 192, 32, 0, kBlue);
    rows(160, 256);
    rect(16, 96, 240, 192, 32, 0, kDeepBlue);
    rows(-1e9, 1e9);
    rect(48, 144, 208, 160, 8, 0, Hex(0x0B1220));
    canvas.circle(208 * s, 120 * s, 10 * s, Hex(0x4ADE80));

    // The printed page coming out at the front.
    sheet(64, 152, 192, detailed ? 240 : 224, 0);
    if (detailed) {
        rect(84, 172, 140, 182, 5, 0, kBlue);
        for (int line = 0; line < 3; ++line)
            rect(84, 194 + line * 13, line == 2 ? 140 : 172, 200 + line * 13, 3, 0, kPaperEdge);
    }
    return canvas;
}

Canvas DropDownArrow()
{
    Canvas canvas(12);
    canvas.polygon({{2, 4}, {10, 4}, {6, 9}}, Hex(0x334155));
    return canvas;
}

}  // namespace pv::assetgen
