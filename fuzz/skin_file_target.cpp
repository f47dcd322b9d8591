#include <algorithm>
#include <optional>
#include <string>

#include "app/skin_file.h"
#include "failure/failure.h"
#include "targets.h"

namespace pv::fuzz {
namespace {

void ExpectWithinLimits(const SkinPart& part)
{
    for (const std::optional<int>& pixels : {part.borderWidth, part.radius})
        Expect(!pixels || (*pixels >= 0 && *pixels <= 32), "pixel sizes lie from 0 to 32");
    if (part.font.pointSize)
        Expect(*part.font.pointSize >= 1 && *part.font.pointSize <= 72, "font sizes lie from 1 to 72 points");
    if (part.font.family) {
        const std::string& family = *part.font.family;
        Expect(!family.empty() && family.size() <= 64 && family.find_first_of("\"\\;{}") == std::string::npos,
               "a font family is 1 to 64 bytes without \" \\ ; { }");
        Expect(std::none_of(family.begin(), family.end(),
                            [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F; }),
               "a font family holds no control character but the tab");
    }
}

// The skin, or the description of the failure; any other exception escapes and ends the run.
struct Outcome {
    std::optional<Skin> skin;
    std::string failure;

    friend bool operator==(const Outcome&, const Outcome&) = default;
};

Outcome Parse(std::string_view text)
{
    try {
        return {ParseSkin(text), {}};
    } catch (const Failure& failure) {
        Expect(failure.code() == failure_code::kInvalidProcedureCall, "a skin failure has the invalid-call code");
        return {std::nullopt, failure.description()};
    }
}

}  // namespace

void FuzzSkinFile(std::string_view input)
{
    const Outcome outcome = Parse(input);
    if (outcome.skin) {
        const Skin& skin = *outcome.skin;
        for (const SkinPart* part :
             {&skin.window, &skin.button, &skin.list, &skin.frame, &skin.printerBox, &skin.progress})
            ExpectWithinLimits(*part);
        Expect(skin.flags == SkinFlags{}, "the file sets none of the engine's flags");
    } else {
        constexpr std::string_view kPrefix = "Skin file, line ";
        Expect(outcome.failure.starts_with(kPrefix), "a failure names the line");
        const std::size_t lines = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')) + 1;
        const std::string number = outcome.failure.substr(kPrefix.size(), outcome.failure.find(':') - kPrefix.size());
        const bool digits = !number.empty() && number.size() <= 9 &&
                            std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
        Expect(digits && std::stoul(number) >= 1 && std::stoul(number) <= lines,
               "the line a failure names is in the file");
    }
    // A comment line after the end changes nothing, whether the text ends in a newline or not.
    Expect(Parse(std::string(input) + "\n# end") == outcome, "a trailing comment changes nothing");
}

}  // namespace pv::fuzz
