#include "app/skin_file.h"

#include <algorithm>
#include <array>
#include <utility>

#include "failure/failure.h"
#include "platform/portable/wtf8.h"

namespace pv {

namespace {

constexpr std::array<std::pair<std::string_view, SkinPart Skin::*>, 6> kSections = {{
    {"window", &Skin::window},
    {"button", &Skin::button},
    {"list", &Skin::list},
    {"frame", &Skin::frame},
    {"printer-box", &Skin::printerBox},
    {"progress", &Skin::progress},
}};

constexpr std::array<std::pair<std::string_view, std::optional<SkinColour> SkinPart::*>, 8> kColourKeys = {{
    {"background", &SkinPart::background},
    {"text", &SkinPart::text},
    {"border", &SkinPart::border},
    {"hover-background", &SkinPart::hoverBackground},
    {"pressed-background", &SkinPart::pressedBackground},
    {"selection", &SkinPart::selection},
    {"selection-text", &SkinPart::selectionText},
    {"focus", &SkinPart::focus},
}};

constexpr std::array<std::pair<std::string_view, std::optional<int> SkinPart::*>, 2> kPixelKeys = {{
    {"border-width", &SkinPart::borderWidth},
    {"radius", &SkinPart::radius},
}};

constexpr int kMaxPixels = 32;
constexpr std::size_t kMaxFamilyBytes = 64;
constexpr double kMinPointSize = 1;
constexpr double kMaxPointSize = 72;

[[noreturn]] void Fail(int line, const std::string& problem)
{
    throw Failure("Skin file, line " + std::to_string(line) + ": " + problem, failure_code::kInvalidProcedureCall);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

bool IsNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool IsUtf8(std::string_view text)
{
    for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
        if ((length = SequenceLength(text, at, false)) == 0)
            return false;
    }
    return true;
}

SkinColour ParseColour(std::string_view value, std::string_view key, int line)
{
    const bool shortForm = value.size() == 4;
    if ((value.size() != 7 && !shortForm) || value[0] != '#' ||
        !std::all_of(value.begin() + 1, value.end(), [](char c) { return HexValue(c) >= 0; }))
        Fail(line, "\"" + std::string(key) + "\" must be a colour written #RGB or #RRGGBB");
    const auto channel = [&](int index) {
        if (shortForm)
            return static_cast<std::uint8_t>(HexValue(value[1 + index]) * 17);
        return static_cast<std::uint8_t>(HexValue(value[1 + 2 * index]) * 16 + HexValue(value[2 + 2 * index]));
    };
    return {channel(0), channel(1), channel(2)};
}

int ParsePixels(std::string_view value, std::string_view key, int line)
{
    if (value.empty() || value.size() > 2 || !std::all_of(value.begin(), value.end(), IsDigit) ||
        std::stoi(std::string(value)) > kMaxPixels)
        Fail(line,
             "\"" + std::string(key) + "\" must be a whole number of pixels from 0 to " + std::to_string(kMaxPixels));
    return std::stoi(std::string(value));
}

double ParsePointSize(std::string_view value, int line)
{
    const std::size_t dot = value.find('.');
    const std::string_view whole = value.substr(0, dot);
    const std::string_view decimals = dot == std::string_view::npos ? std::string_view() : value.substr(dot + 1);
    const bool wellFormed = !whole.empty() && whole.size() <= 2 && std::all_of(whole.begin(), whole.end(), IsDigit) &&
                            (dot == std::string_view::npos || (!decimals.empty() && decimals.size() <= 3 &&
                                                               std::all_of(decimals.begin(), decimals.end(), IsDigit)));
    double size = 0;
    if (wellFormed) {
        for (char c : whole)
            size = size * 10 + (c - '0');
        double scale = 0.1;
        for (char c : decimals) {
            size += (c - '0') * scale;
            scale /= 10;
        }
    }
    if (!wellFormed || size < kMinPointSize || size > kMaxPointSize)
        Fail(line, "\"font-size\" must be a number of points from 1 to 72");
    return size;
}

bool ParseYesNo(std::string_view value, int line)
{
    const std::string lower = Lower(value);
    if (lower == "yes" || lower == "true" || lower == "on" || lower == "1")
        return true;
    if (lower == "no" || lower == "false" || lower == "off" || lower == "0")
        return false;
    Fail(line, "\"font-bold\" must be yes or no");
}

std::string ParseFamily(std::string_view value, int line)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = Trim(value.substr(1, value.size() - 2));
    if (value.empty() || value.size() > kMaxFamilyBytes || value.find_first_of("\"\\;{}") != std::string_view::npos)
        Fail(line, "\"font-family\" must be a family name of up to 64 bytes without \" \\ ; { or }");
    return std::string(value);
}

void SetProperty(SkinPart& part, const std::string& key, std::string_view value, int line)
{
    for (const auto& [name, field] : kColourKeys) {
        if (key == name) {
            part.*field = ParseColour(value, key, line);
            return;
        }
    }
    for (const auto& [name, field] : kPixelKeys) {
        if (key == name) {
            part.*field = ParsePixels(value, key, line);
            return;
        }
    }
    if (key == "font-family")
        part.font.family = ParseFamily(value, line);
    else if (key == "font-size")
        part.font.pointSize = ParsePointSize(value, line);
    else if (key == "font-bold")
        part.font.bold = ParseYesNo(value, line);
}

}  // namespace

Skin ParseSkin(std::string_view text)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());

    Skin skin;
    bool inSection = false;
    SkinPart* part = nullptr;  // null inside an unknown section
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        if (std::any_of(line.begin(), line.end(), [](char c) {
                const auto byte = static_cast<unsigned char>(c);
                return (byte < 0x20 && c != '\t') || byte == 0x7F;
            }))
            Fail(lineNumber, "the line holds a control character");
        if (!IsUtf8(line))
            Fail(lineNumber, "the line is not UTF-8 text");

        line = Trim(line);
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;

        if (line.front() == '[') {
            const std::string_view name =
                line.back() == ']' ? Trim(line.substr(1, line.size() - 2)) : std::string_view();
            if (line.size() < 2 || line.back() != ']' || name.empty() ||
                !std::all_of(name.begin(), name.end(), IsNameCharacter))
                Fail(lineNumber, "a section must be written [name]");
            inSection = true;
            part = nullptr;
            const std::string lowerName = Lower(name);
            for (const auto& [sectionName, member] : kSections) {
                if (lowerName == sectionName)
                    part = &(skin.*member);
            }
            continue;
        }

        const std::size_t equals = line.find('=');
        const std::string_view key = Trim(line.substr(0, equals));
        if (equals == std::string_view::npos || key.empty() || !std::all_of(key.begin(), key.end(), IsNameCharacter))
            Fail(lineNumber, "expected \"[section]\" or \"name = value\"");
        if (!inSection)
            Fail(lineNumber, "\"" + std::string(key) + "\" comes before the first [section]");
        if (part != nullptr)
            SetProperty(*part, Lower(key), Trim(line.substr(equals + 1)), lineNumber);
    }
    return skin;
}

}  // namespace pv
