#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pv::assetgen {

// The two standard Type1 fonts the samples use (every PDF reader has them built in).
enum class Font { Helvetica, HelveticaBold };

struct Colour {
    double r = 0, g = 0, b = 0;
};

// Colour from 0xRRGGBB.
constexpr Colour Rgb(unsigned rgb)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

// Builds the content of one A4 page. Positions are in points measured from the top left of
// the page (PDF counts from the bottom; the conversion happens here). Text takes printable
// ASCII; `y` of text is its baseline.
class PdfPage {
public:
    static constexpr double kWidth = 595;
    static constexpr double kHeight = 842;

    void fillRect(double x, double y, double width, double height, Colour colour);
    void strokeRect(double x, double y, double width, double height, double lineWidth, Colour colour);
    void line(double x1, double y1, double x2, double y2, double lineWidth, Colour colour);
    void fillCircle(double cx, double cy, double radius, Colour colour);

    void text(double x, double y, std::string_view text, Font font, double size, Colour colour);
    void textRight(double right, double y, std::string_view text, Font font, double size, Colour colour);
    void textCentred(double centre, double y, std::string_view text, Font font, double size, Colour colour);

    const std::string& content() const { return content_; }

private:
    void append(const std::string& operators);

    std::string content_;
};

double TextWidth(std::string_view text, Font font, double size);

// Breaks `text` into lines no wider than `width`, at blanks.
std::vector<std::string> WrapText(std::string_view text, Font font, double size, double width);

// A complete one-page PDF file with its cross-reference table.
std::string PdfFileBytes(const PdfPage& page, std::string_view title);

}  // namespace pv::assetgen
