#include "pdf_writer.h"

#include <array>
#include <cstdio>
#include <stdexcept>

namespace pv::assetgen {

namespace {

// Advance widths (1/1000 em) of the printable ASCII characters 32..126 in the standard fonts'
// metrics, WinAnsi encoding.
constexpr std::array<short, 95> kHelveticaWidths = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,  278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667,  611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278,  556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500,  500, 334, 260, 334, 584};
constexpr std::array<short, 95> kHelveticaBoldWidths = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611, 975, 722, 722, 722, 722, 667,
    611, 778, 722, 278, 556, 722, 611, 833, 722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667,
    667, 611, 333, 278, 333, 584, 556, 333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556,
    278, 889, 611, 611, 611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};

std::string Number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string ColourOperands(Colour colour)
{
    return Number(colour.r) + " " + Number(colour.g) + " " + Number(colour.b);
}

// A literal string with its delimiters; only printable ASCII is accepted, so the page
// content stays plain text and every character has a known width.
std::string Literal(std::string_view text)
{
    std::string out = "(";
    for (char c : text) {
        if (c < 32 || c > 126)
            throw std::invalid_argument("sample text must be printable ASCII");
        if (c == '(' || c == ')' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + ")";
}

const char* ResourceName(Font font)
{
    return font == Font::Helvetica ? "/F1" : "/F2";
}

}  // namespace

double TextWidth(std::string_view text, Font font, double size)
{
    const auto& widths = font == Font::Helvetica ? kHelveticaWidths : kHelveticaBoldWidths;
    double units = 0;
    for (char c : text) {
        if (c < 32 || c > 126)
            throw std::invalid_argument("sample text must be printable ASCII");
        units += widths[static_cast<std::size_t>(c - 32)];
    }
    return units * size / 1000.0;
}

std::vector<std::string> WrapText(std::string_view text, Font font, double size, double width)
{
    std::vector<std::string> lines;
    std::string current;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string word(text.substr(start, end - start));
        const std::string candidate = current.empty() ? word : current + " " + word;
        if (!current.empty() && TextWidth(candidate, font, size) > width) {
            lines.push_back(current);
            current = word;
        } else {
            current = candidate;
        }
        start = end + 1;
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

void PdfPage::append(const std::string& operators)
{
    content_ += operators;
    content_ += '\n';
}

void PdfPage::fillRect(double x, double y, double width, double height, Colour colour)
{
    append(ColourOperands(colour) + " rg " + Number(x) + " " + Number(kHeight - y - height) + " " + Number(width) +
           " " + Number(height) + " re f");
}

void PdfPage::strokeRect(double x, double y, double width, double height, double lineWidth, Colour colour)
{
    append(ColourOperands(colour) + " RG " + Number(lineWidth) + " w " + Number(x) + " " +
           Number(kHeight - y - height) + " " + Number(width) + " " + Number(height) + " re S");
}

void PdfPage::line(double x1, double y1, double x2, double y2, double lineWidth, Colour colour)
{
    append(ColourOperands(colour) + " RG " + Number(lineWidth) + " w " + Number(x1) + " " + Number(kHeight - y1) +
           " m " + Number(x2) + " " + Number(kHeight - y2) + " l S");
}

void PdfPage::fillCircle(double cx, double cy, double radius, Colour colour)
{
    // Four Bezier quarter arcs.
    constexpr double kArc = 0.5523;
    const double k = radius * kArc;
    const double y = kHeight - cy;
    const auto p = [](double px, double py) { return Number(px) + " " + Number(py); };
    append(ColourOperands(colour) + " rg " + p(cx + radius, y) + " m " + p(cx + radius, y + k) + " " +
           p(cx + k, y + radius) + " " + p(cx, y + radius) + " c " + p(cx - k, y + radius) + " " +
           p(cx - radius, y + k) + " " + p(cx - radius, y) + " c " + p(cx - radius, y - k) + " " +
           p(cx - k, y - radius) + " " + p(cx, y - radius) + " c " + p(cx + k, y - radius) + " " +
           p(cx + radius, y - k) + " " + p(cx + radius, y) + " c f");
}

void PdfPage::text(double x, double y, std::string_view text, Font font, double size, Colour colour)
{
    append("BT " + ColourOperands(colour) + " rg " + ResourceName(font) + " " + Number(size) + " Tf " + Number(x) +
           " " + Number(kHeight - y) + " Td " + Literal(text) + " Tj ET");
}

void PdfPage::textRight(double right, double y, std::string_view text, Font font, double size, Colour colour)
{
    this->text(right - TextWidth(text, font, size), y, text, font, size, colour);
}

void PdfPage::textCentred(double centre, double y, std::string_view text, Font font, double size, Colour colour)
{
    this->text(centre - TextWidth(text, font, size) / 2, y, text, font, size, colour);
}

std::string PdfFileBytes(const PdfPage& page, std::string_view title)
{
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Number(PdfPage::kWidth) + " " + Number(PdfPage::kHeight) +
            "] /Resources << /Font << /F1 4 0 R /F2 5 0 R >> >> /Contents 6 0 R >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>",
        "<< /Length " + std::to_string(page.content().size()) + " >>\nstream\n" + page.content() + "endstream",
        "<< /Title " + Literal(title) + " /Producer (Pressvale assetgen) /CreationDate (D:20250101120000Z) >>",
    };

    // The second line's high bytes mark the file as binary for transfer programs.
    std::string file = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(file.size());
        file += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = file.size();
    file += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t offset : offsets) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        file += entry;
    }
    file += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R /Info 7 0 R >>\nstartxref\n" +
            std::to_string(xref) + "\n%%EOF\n";
    return file;
}

}  // namespace pv::assetgen
